<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CContentEdit</name>
    <message>
        <location filename="../viewer/ccontentedit.cpp" line="+105"/>
        <source>&amp;Previous Block of Content</source>
        <translation>上一个内容块(&amp;P)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Go to the previous block of content in the selected file.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;转到所选文件的上一个内容块。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Next Block of Content</source>
        <translation>下一个内容块(&amp;N)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Go to the next block of content in the selected file.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;转到所选文件的下一个内容块。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Pre&amp;vious Match</source>
        <translation>上一个匹配项(&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next &amp;Match</source>
        <translation>下一个匹配项(&amp;M)</translation>
    </message>
</context>
<context>
    <name>CFilesTableActions</name>
    <message>
        <location filename="../viewer/cfilestableactions.cpp" line="+67"/>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the selected file with the desktop&apos;s application for it.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;用桌面为该类文件设定的程序打开所选文件。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Copy File &amp;Path</source>
        <translation>复制文件路径(&amp;P)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Copy the full path of the selected file to the clipboard.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;将所选文件的完整路径复制到剪贴板。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open Containing &amp;Folder</source>
        <translation>打开所在文件夹(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the folder that contains the selected file in the system File Explorer.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;在系统的文件管理器中打开所选文件所在的文件夹。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>Open Containing Folder</source>
        <translation>打开所在文件夹</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No file manager is installed that could show the folder %1.</source>
        <translation>未安装可以显示文件夹 %1 的文件管理器。</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>The file no longer exists:
%1</source>
        <translation>该文件已不存在：
%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No application could be started to open the file:
%1</source>
        <translation>无法启动任何程序来打开该文件：
%1</translation>
    </message>
</context>
<context>
    <name>CInstanceLock</name>
    <message>
        <location filename="../app/core/nixplatform.cpp" line="+55"/>
        <source>%1 is not a folder of this user&apos;s alone</source>
        <translation>%1 不是仅属于此用户的文件夹</translation>
    </message>
</context>
<context>
    <name>CLintra</name>
    <message>
        <location filename="../app/ui_clintra.cpp" line="+344"/>
        <source>The selected result file, with the keywords highlighted</source>
        <translation>所选的结果文件，其中的关键词已突出显示</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>The files found: path, size in KB and last modified time</source>
        <translation>找到的文件：路径、大小（KB）和最后修改时间</translation>
    </message>
    <message>
        <location line="-42"/>
        <source>&amp;Keyword(s)</source>
        <translation>关键词(&amp;K)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File&amp;name Search</source>
        <translation>文件名搜索(&amp;N)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Directory</source>
        <translation>目录(&amp;D)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Browse...</source>
        <translation>浏览(&amp;B)…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel the Search</source>
        <translation>取消搜索(&amp;C)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Match &amp;Whole Word</source>
        <translation>全词匹配(&amp;W)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Match &amp;Substring</source>
        <translation>子串匹配(&amp;S)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Include &amp;hidden files and folders</source>
        <translation>包含隐藏的文件和文件夹(&amp;H)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skip f&amp;olders</source>
        <translation>跳过文件夹(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Full &amp;Text Search</source>
        <translation>全文搜索(&amp;T)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit Norvane Lintra</source>
        <translation>退出 Norvane Lintra(&amp;X)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check &amp;Updates</source>
        <translation>检查更新(&amp;U)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Result Files</source>
        <translation>结果文件(&amp;R)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Skip folders</source>
        <translation>跳过文件夹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Names of folders not to search, separated by blanks or commas; * and ? as wildcards</source>
        <translation>不搜索的文件夹名称，以空格或逗号分隔；* 和 ? 为通配符</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>File Content</source>
        <translation>文件内容</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Copyright Notice</source>
        <translation>版权声明</translation>
    </message>
    <message>
        <source>The file has become shorter since it was opened: this part of it can no longer be read. Select the file again to read it anew.</source>
        <translation type="vanished">文件在打开后变短了：这一部分已无法读取。请重新选择该文件以重新读取。</translation>
    </message>
    <message>
        <source>No keyword in any of the %1 blocks</source>
        <translation type="vanished">%1 个块中均不含关键词</translation>
    </message>
    <message>
        <source>Block %1 of about %2</source>
        <translation type="vanished">第 %1 块，共约 %2 块</translation>
    </message>
    <message>
        <source>Block %1 of %2</source>
        <translation type="vanished">第 %1 块，共 %2 块</translation>
    </message>
    <message>
        <location filename="../app/clintra.cpp" line="+92"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;The value of this field is auto-detected at program start-up time. In case it is inaccurate, &lt;font color=&quot;red&quot;&gt;please kindly post us your (language_territory, charset) pair&lt;/font&gt;, thanks. The value is the 8-bit or multi-byte charset used by the OS to store non-Ascii text. This field is only FYI.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;此字段的值在程序启动时自动检测。如果检测结果不准确，&lt;font color=&quot;red&quot;&gt;请把您的（语言_地区，字符集）组合告诉我们&lt;/font&gt;，谢谢。该值是操作系统存储非 ASCII 文本所用的 8 位或多字节字符集。此字段仅供参考。&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Please note:&lt;ul&gt;&lt;li&gt;Sub-directories are processed recursively;&lt;/li&gt;&lt;li&gt;When doing full-text search, only plain text files such as .txt/.html are processed; others including .doc/.pdf are ignored;&lt;/li&gt;&lt;li&gt;BOM and some other means are used together to determine the encoding of a saved file. Unrecognized ones are taken as the default local charset.&lt;/li&gt;&lt;/ul&gt;&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;请注意：&lt;ul&gt;&lt;li&gt;子目录会被递归处理；&lt;/li&gt;&lt;li&gt;全文搜索时只处理 .txt/.html 等纯文本文件，.doc/.pdf 等其他文件会被忽略；&lt;/li&gt;&lt;li&gt;程序综合使用 BOM 等多种方法判断已保存文件的编码，无法识别的按默认本地字符集处理。&lt;/li&gt;&lt;/ul&gt;&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Multi-keyword input separated by space(s) is allowed. The effect is always AND. Case-insensitive. Punctuals are NOT filtered since sometimes we do want to find a word ending with a particular punctual.&lt;br /&gt;&lt;br /&gt;Keywords can be in whatever languages, including Chinese, French, German, Russian, Arabian, Hebrew, Japanese, Korean, as long as the computer supports the input into the system.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;可以输入多个关键词，用空格分隔，它们之间始终是“与”（AND）的关系。不区分大小写。标点符号不会被过滤，因为有时确实需要查找以某个标点结尾的词。&lt;br /&gt;&lt;br /&gt;关键词可以是任何语言，包括中文、法语、德语、俄语、阿拉伯语、希伯来语、日语、韩语等，只要系统支持输入即可。&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;When matching filename, search is &lt;font color=&quot;red&quot;&gt;not limited to plain-text files&lt;/font&gt;.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;文件名搜索&lt;font color=&quot;red&quot;&gt;不限于纯文本文件&lt;/font&gt;。&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;When doing full-text search, &lt;font color=&quot;red&quot;&gt;only plain-text files&lt;/font&gt; are checked.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;全文搜索时&lt;font color=&quot;red&quot;&gt;只检查纯文本文件&lt;/font&gt;。&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Exit this running program.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;退出本程序。&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="-54"/>
        <location line="+166"/>
        <source>Ready to do the Unicode full text search...</source>
        <translation>已就绪，可以进行 Unicode 全文搜索……</translation>
    </message>
    <message>
        <location line="-111"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;These two radion buttons take effect only in the case of single-keyword full-text search. In the case of multiple-keyword full-text search, match-whole-word is always assumed. In the case of filename search, match-substring is always assumed, no matter single-keyword or multiple-keyword.&lt;br /&gt;&lt;br /&gt;Exception: In languages such as Chinese where words are not separated by spaces, the actual effect is always match-substring. If the way the program works does not handle your characters and text well, &lt;font color=&quot;red&quot;&gt;please keep us informed of the characteristics of your language: locale name, default multi-byte charset if there is, and if words are separated by spaces&lt;/font&gt;. Thank you!&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;这两个单选按钮只在单关键词全文搜索时生效。多关键词全文搜索时始终按全词匹配；文件名搜索时，无论是单关键词还是多关键词，始终按子串匹配。&lt;br /&gt;&lt;br /&gt;例外：在中文等词与词之间不用空格分隔的语言中，实际效果始终是子串匹配。如果程序不能很好地处理您的字符和文本，&lt;font color=&quot;red&quot;&gt;请告诉我们您所用语言的特点：区域设置名称、默认多字节字符集（如果有）以及词与词之间是否用空格分隔&lt;/font&gt;。谢谢！&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Norvane</source>
        <translation type="vanished">Norvane</translation>
    </message>
    <message>
        <source>Lintra</source>
        <translation type="vanished">Lintra</translation>
    </message>
    <message>
        <source>0.107</source>
        <translation type="vanished">0.107</translation>
    </message>
    <message>
        <location line="+118"/>
        <source>Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware</source>
        <translation>Lintra - Norvane [Unicode 纯文本文件全文搜索工具] 免费软件</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot; style=&quot;font-size:8pt&quot;&gt;Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. Freeware.&lt;/font&gt; &lt;a href=&quot;%2&quot;&gt;Online documentation&lt;/a&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot; style=&quot;font-size:8pt&quot;&gt;版权所有 &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;。免费软件。&lt;/font&gt; &lt;a href=&quot;%2&quot;&gt;在线文档&lt;/a&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location filename="../app/clintra_about.cpp" line="+17"/>
        <source>Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. All rights reserved.</source>
        <translation>版权所有 &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;。保留所有权利。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About Lintra</source>
        <translation>关于 Lintra</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="vanished">恢复(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="vanished">退出(&amp;Q)</translation>
    </message>
    <message>
        <source>FYI</source>
        <translation type="vanished">提示</translation>
    </message>
    <message>
        <source>The program will keep running in the system tray. To terminate the program, choose &lt;b&gt;Quit&lt;/b&gt; in the context menu of the system tray entry.</source>
        <translation type="vanished">程序将继续在系统托盘中运行。要退出程序，请在系统托盘图标的右键菜单中选择&lt;b&gt;退出&lt;/b&gt;。</translation>
    </message>
    <message>
        <location filename="../app/ui_clintra.cpp" line="-40"/>
        <location line="+33"/>
        <source>Default Local Charset</source>
        <translation>默认本地字符集</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keyword(s)</source>
        <translation>关键词</translation>
    </message>
    <message>
        <source>Filename Search</source>
        <translation type="vanished">文件名搜索</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Directory</source>
        <translation>目录</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="vanished">浏览…</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+34"/>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Cancel the Search</source>
        <translation type="vanished">取消搜索</translation>
    </message>
    <message>
        <source>Match Whole Word</source>
        <translation type="vanished">全词匹配</translation>
    </message>
    <message>
        <source>Match Substring</source>
        <translation type="vanished">子串匹配</translation>
    </message>
    <message>
        <source>Full Text Search</source>
        <translation type="vanished">全文搜索</translation>
    </message>
    <message>
        <source>Exit Norvane Lintra</source>
        <translation type="vanished">退出 Norvane Lintra</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Verdana&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Verdana&apos;; font-size:9pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>About...</source>
        <translation type="vanished">关于…</translation>
    </message>
    <message>
        <source>Check Updates</source>
        <translation type="vanished">检查更新</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Result Files</source>
        <translation>结果文件</translation>
    </message>
    <message>
        <location filename="../app/formfitting.cpp" line="+53"/>
        <source>Matched Filename</source>
        <translation>匹配的文件名</translation>
    </message>
    <message>
        <location filename="../app/clintra.cpp" line="-201"/>
        <location filename="../app/formfitting.cpp" line="+0"/>
        <source>File Content in Charset</source>
        <translation>文件内容，字符集：</translation>
    </message>
    <message>
        <source>Error: Invalid path given! Please have it corrected.</source>
        <translation type="vanished">错误：给定的路径无效！请更正。</translation>
    </message>
    <message>
        <source>%1 of the %2 searched files contain(s) the given keyword(s).</source>
        <translation type="vanished">在搜索的 %2 个文件中，有 %1 个包含给定的关键词。</translation>
    </message>
    <message>
        <source>%1 of the %2 searched files have/has the given keyword(s) in filename.</source>
        <translation type="vanished">在搜索的 %2 个文件中，有 %1 个的文件名包含给定的关键词。</translation>
    </message>
    <message>
        <source>Directory: </source>
        <translation type="vanished">目录：</translation>
    </message>
    <message>
        <source>Keywords: </source>
        <translation type="vanished">关键词：</translation>
    </message>
    <message>
        <source>%1 of the %2 searched files found.</source>
        <translation type="vanished">在搜索的 %2 个文件中找到 %1 个。</translation>
    </message>
    <message>
        <source>&lt;font color=&quot;red&quot;&gt;FYI: You may click any row in the left pane to see the </source>
        <translation type="vanished">&lt;font color=&quot;red&quot;&gt;提示：单击左侧窗格中的任意一行即可查看</translation>
    </message>
    <message>
        <source>matched text</source>
        <translation type="vanished">匹配的文本</translation>
    </message>
    <message>
        <source>full filename</source>
        <translation type="vanished">完整文件名</translation>
    </message>
    <message>
        <source>.&lt;/font&gt;</source>
        <translation type="vanished">。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Select a Directory</source>
        <translation type="vanished">选择目录</translation>
    </message>
    <message>
        <source>Checking the name of file %1 of total %2 files...</source>
        <translation type="vanished">正在检查第 %1 个文件的文件名（共 %2 个）……</translation>
    </message>
    <message>
        <source>Processing file %1 of total %2 files...</source>
        <translation type="vanished">正在处理第 %1 个文件（共 %2 个）……</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation type="vanished">文件名</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation type="vanished">大小 (KB)</translation>
    </message>
    <message>
        <source>Last Modified Time</source>
        <translation type="vanished">最后修改时间</translation>
    </message>
    <message>
        <location filename="../app/clintra_charset.cpp" line="+25"/>
        <source> (Language: </source>
        <translation>（语言：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>)</source>
        <translation>）</translation>
    </message>
    <message>
        <source>An early attempt to check updates has not finished yet, please hold on a while.</source>
        <translation type="vanished">上一次检查更新尚未完成，请稍候。</translation>
    </message>
    <message>
        <source>Network Error</source>
        <translation type="vanished">网络错误</translation>
    </message>
    <message>
        <source>Can not get program update information. Please check your Internet connection!</source>
        <translation type="vanished">无法获取程序更新信息。请检查您的互联网连接！</translation>
    </message>
    <message>
        <source> Check Updates</source>
        <translation type="vanished"> 检查更新</translation>
    </message>
    <message>
        <source> Update Auto-Check</source>
        <translation type="vanished"> 自动检查更新</translation>
    </message>
    <message>
        <source>Updates available!&lt;br /&gt;&lt;br /&gt;The installed version is: </source>
        <translation type="vanished">有可用的更新！&lt;br /&gt;&lt;br /&gt;已安装的版本：</translation>
    </message>
    <message>
        <source>&lt;br /&gt;The latest version is: </source>
        <translation type="vanished">&lt;br /&gt;最新版本：</translation>
    </message>
    <message>
        <source>&lt;br /&gt;Please go to &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; to get the latest version!</source>
        <translation type="vanished">&lt;br /&gt;请访问 &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; 获取最新版本！</translation>
    </message>
    <message>
        <source>No updates available!&lt;br /&gt;&lt;br /&gt;The installed is already the latest version: </source>
        <translation type="vanished">没有可用的更新！&lt;br /&gt;&lt;br /&gt;已安装的版本已是最新版本：</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="vanished">打开(&amp;O)</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the selected file with the desktop&apos;s application for it.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;用桌面为该类文件设定的程序打开所选文件。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Copy File &amp;Path</source>
        <translation type="vanished">复制文件路径(&amp;P)</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Copy the full path of the selected file to the clipboard.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;将所选文件的完整路径复制到剪贴板。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Open Containing &amp;Folder</source>
        <translation type="vanished">打开所在文件夹(&amp;F)</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the folder that contains the selected file in the system File Explorer.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;在系统的文件管理器中打开所选文件所在的文件夹。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>The file no longer exists:
%1</source>
        <translation type="vanished">该文件已不存在：
%1</translation>
    </message>
    <message>
        <source>No application could be started to open the file:
%1</source>
        <translation type="vanished">无法启动任何程序来打开该文件：
%1</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation type="vanished">打开所在文件夹</translation>
    </message>
    <message>
        <source>No file manager is installed that could show the folder %1.</source>
        <translation type="vanished">未安装可以显示文件夹 %1 的文件管理器。</translation>
    </message>
    <message>
        <source>Should not arrive here; with high possibility it is due to file operation error...</source>
        <translation type="vanished">不应出现这种情况，很可能是文件操作出错……</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;The whole document is loaded successfully in this pane.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;已在此窗格中成功加载整个文档。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Only partial document is loaded in this pane since the file is big; please use the context menu with a mouse right click to view other parts of the document. Therefore, &lt;font color=&quot;red&quot;&gt;the currently viewed part may not contain the matched line(s)&lt;/font&gt;.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;由于文件较大，此窗格中只加载了文档的一部分；请单击鼠标右键，通过右键菜单查看文档的其他部分。因此，&lt;font color=&quot;red&quot;&gt;当前查看的部分可能不包含匹配的行&lt;/font&gt;。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>File seek error!</source>
        <translation type="vanished">文件定位错误！</translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="vanished">信息</translation>
    </message>
    <message>
        <source>Already at the beginning of the file!</source>
        <translation type="vanished">已到达文件开头！</translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="vanished">错误</translation>
    </message>
    <message>
        <source>Already at the end of the file!</source>
        <translation type="vanished">已到达文件末尾！</translation>
    </message>
    <message>
        <source>Result File Content</source>
        <translation type="vanished">结果文件内容</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1 or its folder cannot be written. The window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation type="vanished">无法保存设置：%1 或其所在文件夹不可写。窗口的大小和位置、目录和关键词历史记录以及更新检查计划在本次运行结束后都不会保留。</translation>
    </message>
    <message>
        <source>No settings are kept: %1 is not a regular file that can be read. Lintra neither reads nor writes it; the window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation type="vanished">不保存任何设置：%1 不是可读取的普通文件。Lintra 既不读取也不写入它；窗口的大小和位置、目录和关键词历史记录以及更新检查计划在本次运行结束后都不会保留。</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1 could not be written in full (is the disk full?). The file keeps the settings it had before.</source>
        <translation type="vanished">无法保存设置：%1 未能完整写入（磁盘已满？）。该文件保留之前的设置。</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="+184"/>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Runtime Folder</source>
        <translation>运行时文件夹</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lintra cannot make sure that it runs only once: %1. Another start of Lintra opens a second window. Give XDG_RUNTIME_DIR a folder of yours alone, or remove the folder named.</source>
        <translation>Lintra 无法确保只运行一个实例：%1。再次启动 Lintra 会打开第二个窗口。请将 XDG_RUNTIME_DIR 设为仅属于您的文件夹，或删除所述文件夹。</translation>
    </message>
</context>
<context>
    <name>CMatchingLinesModel</name>
    <message>
        <location filename="../search/core/matchinglinesmodel.cpp" line="+299"/>
        <source>and %1 more</source>
        <translation>还有 %1 行</translation>
    </message>
</context>
<context>
    <name>CResultLines</name>
    <message>
        <location filename="../search/cresultlines.cpp" line="+19"/>
        <source>Show Matching &amp;Lines</source>
        <translation>显示匹配的行(&amp;L)</translation>
    </message>
</context>
<context>
    <name>CResultViewer</name>
    <message>
        <location filename="../viewer/cresultviewer.cpp" line="+26"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;The whole document is loaded successfully in this pane.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;已在此窗格中成功加载整个文档。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Only partial document is loaded in this pane since the file is big; please use the context menu with a mouse right click to view other parts of the document. Therefore, &lt;font color=&quot;red&quot;&gt;the currently viewed part may not contain the matched line(s)&lt;/font&gt;.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;由于文件较大，此窗格中只加载了文档的一部分；请单击鼠标右键，通过右键菜单查看文档的其他部分。因此，&lt;font color=&quot;red&quot;&gt;当前查看的部分可能不包含匹配的行&lt;/font&gt;。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The file has become shorter since it was opened: this part of it can no longer be read. Select the file again to read it anew.</source>
        <translation>文件在打开后变短了：这一部分已无法读取。请重新选择该文件以重新读取。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The file is gone: it was deleted or moved.</source>
        <translation>文件已不存在：它已被删除或移走。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not shown: this is not a regular file but a FIFO, socket or device.</source>
        <translation>未显示：这不是普通文件，而是 FIFO、套接字或设备。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file cannot be opened or read.</source>
        <translation>无法打开或读取该文件。</translation>
    </message>
    <message>
        <location line="+153"/>
        <location line="+178"/>
        <source>No further match.</source>
        <translation>后面没有更多匹配项。</translation>
    </message>
    <message>
        <location line="-162"/>
        <location line="+162"/>
        <source>No earlier match.</source>
        <translation>前面没有更多匹配项。</translation>
    </message>
    <message>
        <location line="-114"/>
        <source>Stopped: the file does not answer.</source>
        <translation>已停止：文件没有响应。</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Looking for a keyword: %1 of %2 read (%3%). Esc stops.</source>
        <translation>正在查找关键词：已读取 %1 / %2（%3%）。按 Esc 停止。</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Reading the file… Esc stops.</source>
        <translation>正在读取文件……按 Esc 停止。</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Stopped looking for a keyword: the pane shows the start of the file.</source>
        <translation>已停止查找关键词：窗格中显示的是文件开头。</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+3"/>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Already at the beginning of the file!</source>
        <translation>已到达文件开头！</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Already at the end of the file!</source>
        <translation>已到达文件末尾！</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Result File Content</source>
        <translation>结果文件内容</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Stopped looking for a match.</source>
        <translation>已停止查找匹配项。</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>No keyword in any of the %1 blocks</source>
        <translation>%1 个块中均不含关键词</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Block %1 of %2</source>
        <translation>第 %1 块，共 %2 块</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Block %1 of about %2</source>
        <translation>第 %1 块，共约 %2 块</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Match %1 of at least %2, line %3</source>
        <translation>第 %1 个匹配项（至少 %2 个），第 %3 行</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last match: %1 of %2, line %3</source>
        <translation>最后一个匹配项：第 %1 个（共 %2 个），第 %3 行</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Match %1 of %2, line %3</source>
        <translation>第 %1 个匹配项（共 %2 个），第 %3 行</translation>
    </message>
</context>
<context>
    <name>CSearchDriver</name>
    <message>
        <location filename="../search/csearchdriver.cpp" line="+243"/>
        <source>Matched Filename</source>
        <translation>匹配的文件名</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>File Content in Charset</source>
        <translation>文件内容，字符集：</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Error: Invalid path given! Please have it corrected.</source>
        <translation>错误：给定的路径无效！请更正。</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Directory: </source>
        <translation>目录：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keywords: </source>
        <translation>关键词：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files found.</source>
        <translation>在搜索的 %2 个文件中找到 %1 个。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;font color=&quot;red&quot;&gt;FYI: You may click any row in the left pane to see the </source>
        <translation>&lt;font color=&quot;red&quot;&gt;提示：单击左侧窗格中的任意一行即可查看</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>matched text</source>
        <translation>匹配的文本</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>full filename</source>
        <translation>完整文件名</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>.&lt;/font&gt;</source>
        <translation>。&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Select a Directory</source>
        <translation>选择目录</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Processing file %1 of total %2 files...</source>
        <translation>正在处理第 %1 个文件（共 %2 个）……</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Checking the name of file %1 of total %2 files...</source>
        <translation>正在检查第 %1 个文件的文件名（共 %2 个）……</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files contain(s) the given keyword(s).</source>
        <translation>在搜索的 %2 个文件中，有 %1 个包含给定的关键词。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files have/has the given keyword(s) in filename.</source>
        <translation>在搜索的 %2 个文件中，有 %1 个的文件名包含给定的关键词。</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Filename</source>
        <translation>文件名</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Size (KB)</source>
        <translation>大小 (KB)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last Modified Time</source>
        <translation>最后修改时间</translation>
    </message>
</context>
<context>
    <name>CSearchRun</name>
    <message>
        <location filename="../search/csearchrun.cpp" line="+257"/>
        <source>The search was cancelled at file %1 of %2; %3 found so far.</source>
        <translation>搜索已在第 %1 个文件（共 %2 个）处取消；目前找到 %3 个。</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>1 file</source>
        <translation>1 个文件</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 files</source>
        <translation>%1 个文件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 folder</source>
        <translation>1 个文件夹</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 folders</source>
        <translation>%1 个文件夹</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 and %2 could not be read.</source>
        <translation>%1和%2无法读取。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 could not be read.</source>
        <translation>%1无法读取。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The search stopped early, the results are incomplete: %1.</source>
        <translation>搜索提前停止，结果不完整：%1。</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Not Read</source>
        <translation>未读取</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not a regular file (a FIFO, socket or device)</source>
        <translation>不是普通文件（FIFO、套接字或设备）</translation>
    </message>
</context>
<context>
    <name>CSettingsBinding</name>
    <message>
        <location filename="../app/csettingsbinding.cpp" line="+105"/>
        <source>The settings cannot be saved: %1 or its folder cannot be written. The window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation>无法保存设置：%1 或其所在文件夹不可写。窗口的大小和位置、目录和关键词历史记录以及更新检查计划在本次运行结束后都不会保留。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No settings are kept: %1 is not a regular file that can be read. Lintra neither reads nor writes it; the window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation>不保存任何设置：%1 不是可读取的普通文件。Lintra 既不读取也不写入它；窗口的大小和位置、目录和关键词历史记录以及更新检查计划在本次运行结束后都不会保留。</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>The settings could not be saved: %1 could not be written in full (is the disk full?). The file keeps the settings it had before.</source>
        <translation>无法保存设置：%1 未能完整写入（磁盘已满？）。该文件保留之前的设置。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
</context>
<context>
    <name>CSysTray</name>
    <message>
        <location filename="../app/csystray.cpp" line="+22"/>
        <source>Norvane</source>
        <translation>Norvane</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Lintra</source>
        <translation>Lintra</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Restore</source>
        <translation>恢复(&amp;R)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>FYI</source>
        <translation>提示</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The program will keep running in the system tray. To terminate the program, choose &lt;b&gt;Quit&lt;/b&gt; in the context menu of the system tray entry.</source>
        <translation>程序将继续在系统托盘中运行。要退出程序，请在系统托盘图标的右键菜单中选择&lt;b&gt;退出&lt;/b&gt;。</translation>
    </message>
</context>
<context>
    <name>CUpdateDialogs</name>
    <message>
        <location filename="../update/cupdatedialogs.cpp" line="+27"/>
        <source>FYI</source>
        <translation>提示</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An early attempt to check updates has not finished yet, please hold on a while.</source>
        <translation>上一次检查更新尚未完成，请稍候。</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Network Error</source>
        <translation>网络错误</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not get program update information. Please check your Internet connection!</source>
        <translation>无法获取程序更新信息。请检查您的互联网连接！</translation>
    </message>
    <message>
        <location line="+4"/>
        <source> Check Updates</source>
        <translation> 检查更新</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> Update Auto-Check</source>
        <translation> 自动检查更新</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Updates available!&lt;br /&gt;&lt;br /&gt;The installed version is: </source>
        <translation>有可用的更新！&lt;br /&gt;&lt;br /&gt;已安装的版本：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;br /&gt;The latest version is: </source>
        <translation>&lt;br /&gt;最新版本：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;br /&gt;Please go to &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; to get the latest version!</source>
        <translation>&lt;br /&gt;请访问 &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; 获取最新版本！</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>No updates available!&lt;br /&gt;&lt;br /&gt;The installed is already the latest version: </source>
        <translation>没有可用的更新！&lt;br /&gt;&lt;br /&gt;已安装的版本已是最新版本：</translation>
    </message>
</context>
<context>
    <name>CUpdateHandler</name>
    <message>
        <location filename="../update/core/updaterequest.cpp" line="+61"/>
        <source>Norvane.Lintra.Desktop.Windows</source>
        <translation>Norvane.Lintra.Desktop.Windows</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../app/core/commandline.cpp" line="+106"/>
        <source>Usage: %1 [OPTION]... [DIRECTORY]
Finds the files under DIRECTORY whose names or plain-text contents contain all of
the given keywords, and shows them with the keywords coloured.

DIRECTORY (a path, or a file: URL) is put into the directory box. When Lintra
already runs for this user, its window is shown with DIRECTORY in that box.

  -h, --help     print this help and exit
  -v, --version  print the version and exit
Qt&apos;s options (-platform NAME, -style NAME, ...) are accepted as well.

Settings: $XDG_CONFIG_HOME/Norvane/Lintra.conf (~/.config when unset).
</source>
        <translation>用法：%1 [选项]... [目录]
在“目录”下查找文件名或纯文本内容包含全部给定关键词的文件，
并以彩色标出关键词显示它们。

“目录”（路径或 file: URL）会填入目录框。若本用户已有 Lintra 在运行，
则显示其窗口，并在目录框中填入该目录。

  -h, --help     显示此帮助并退出
  -v, --version  显示版本并退出
也接受 Qt 的选项（-platform 名称、-style 名称等）。

设置文件：$XDG_CONFIG_HOME/Norvane/Lintra.conf（未设置时为 ~/.config）。
</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: unknown option &apos;%2&apos;
Usage: %1 [--help] [--version] [DIRECTORY]
</source>
        <translation>%1：未知选项“%2”
用法：%1 [--help] [--version] [目录]
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1: no graphical session found (neither DISPLAY nor WAYLAND_DISPLAY can be reached).
Lintra is a desktop program and needs one; &apos;%1 --help&apos; lists its options.
</source>
        <translation>%1：未找到图形会话（DISPLAY 和 WAYLAND_DISPLAY 均无法连接）。
Lintra 是桌面程序，需要图形会话；“%1 --help”列出其选项。
</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../app/main.cpp" line="+44"/>
        <source>System Tray</source>
        <translation>系统托盘</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No system tray is detected on this system.</source>
        <translation>在此系统上未检测到系统托盘。</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="-40"/>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An instance of this application is already running, exiting this newly started one.</source>
        <translation>本程序已有一个实例正在运行，新启动的实例将退出。</translation>
    </message>
</context>
</TS>
