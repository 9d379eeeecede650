<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CContentEdit</name>
    <message>
        <location filename="../viewer/ccontentedit.cpp" line="+105"/>
        <source>&amp;Previous Block of Content</source>
        <translation>&amp;Vorheriger Inhaltsblock</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Go to the previous block of content in the selected file.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Zum vorherigen Inhaltsblock der ausgewählten Datei wechseln.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Next Block of Content</source>
        <translation>&amp;Nächster Inhaltsblock</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Go to the next block of content in the selected file.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Zum nächsten Inhaltsblock der ausgewählten Datei wechseln.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Pre&amp;vious Match</source>
        <translation>Vorheriger Tre&amp;ffer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next &amp;Match</source>
        <translation>Nächster &amp;Treffer</translation>
    </message>
</context>
<context>
    <name>CFilesTableActions</name>
    <message>
        <location filename="../viewer/cfilestableactions.cpp" line="+67"/>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the selected file with the desktop&apos;s application for it.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Die ausgewählte Datei mit dem Programm öffnen, das die Arbeitsumgebung dafür vorsieht.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Copy File &amp;Path</source>
        <translation>Datei&amp;pfad kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Copy the full path of the selected file to the clipboard.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Den vollständigen Pfad der ausgewählten Datei in die Zwischenablage kopieren.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open Containing &amp;Folder</source>
        <translation>Übergeordneten &amp;Ordner öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the folder that contains the selected file in the system File Explorer.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Den Ordner, der die ausgewählte Datei enthält, in der Dateiverwaltung des Systems öffnen.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>Open Containing Folder</source>
        <translation>Übergeordneten Ordner öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No file manager is installed that could show the folder %1.</source>
        <translation>Es ist kein Dateimanager installiert, der den Ordner %1 anzeigen könnte.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>The file no longer exists:
%1</source>
        <translation>Die Datei gibt es nicht mehr:
%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No application could be started to open the file:
%1</source>
        <translation>Es ließ sich kein Programm starten, das die Datei öffnet:
%1</translation>
    </message>
</context>
<context>
    <name>CInstanceLock</name>
    <message>
        <location filename="../app/core/nixplatform.cpp" line="+55"/>
        <source>%1 is not a folder of this user&apos;s alone</source>
        <translation>%1 ist kein Ordner, der allein diesem Benutzer gehört</translation>
    </message>
</context>
<context>
    <name>CLintra</name>
    <message>
        <location filename="../app/ui_clintra.cpp" line="+344"/>
        <source>The selected result file, with the keywords highlighted</source>
        <translation>Die ausgewählte Ergebnisdatei mit hervorgehobenen Suchbegriffen</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>The files found: path, size in KB and last modified time</source>
        <translation>Die gefundenen Dateien: Pfad, Größe in KB und Zeitpunkt der letzten Änderung</translation>
    </message>
    <message>
        <location line="-42"/>
        <source>&amp;Keyword(s)</source>
        <translation>Such&amp;begriffe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File&amp;name Search</source>
        <translation>Datei&amp;namensuche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Directory</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel the Search</source>
        <translation>Suche &amp;abbrechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Match &amp;Whole Word</source>
        <translation>&amp;Ganze Wörter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Match &amp;Substring</source>
        <translation>&amp;Wortteile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Include &amp;hidden files and folders</source>
        <translation>Ver&amp;steckte Dateien und Ordner einbeziehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skip f&amp;olders</source>
        <translation>Ordner übe&amp;rspringen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Full &amp;Text Search</source>
        <translation>&amp;Volltextsuche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit Norvane Lintra</source>
        <translation>Norvane Lintra b&amp;eenden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check &amp;Updates</source>
        <translation>Nach &amp;Updates suchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Result Files</source>
        <translation>Gefundene Da&amp;teien</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Skip folders</source>
        <translation>Ordner überspringen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Names of folders not to search, separated by blanks or commas; * and ? as wildcards</source>
        <translation>Namen der Ordner, die nicht durchsucht werden, durch Leerzeichen oder Kommas getrennt; * und ? als Platzhalter</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>File Content</source>
        <translation>Dateiinhalt</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Copyright Notice</source>
        <translation>Urheberrechtshinweis</translation>
    </message>
    <message>
        <source>The file has become shorter since it was opened: this part of it can no longer be read. Select the file again to read it anew.</source>
        <translation type="vanished">Die Datei ist seit dem Öffnen kürzer geworden: Dieser Teil kann nicht mehr gelesen werden. Wählen Sie die Datei erneut aus, um sie neu einzulesen.</translation>
    </message>
    <message>
        <source>No keyword in any of the %1 blocks</source>
        <translation type="vanished">Keiner der %1 Blöcke enthält einen Suchbegriff</translation>
    </message>
    <message>
        <source>Block %1 of about %2</source>
        <translation type="vanished">Block %1 von etwa %2</translation>
    </message>
    <message>
        <source>Block %1 of %2</source>
        <translation type="vanished">Block %1 von %2</translation>
    </message>
    <message>
        <location filename="../app/clintra.cpp" line="+92"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;The value of this field is auto-detected at program start-up time. In case it is inaccurate, &lt;font color=&quot;red&quot;&gt;please kindly post us your (language_territory, charset) pair&lt;/font&gt;, thanks. The value is the 8-bit or multi-byte charset used by the OS to store non-Ascii text. This field is only FYI.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Der Wert dieses Feldes wird beim Programmstart automatisch ermittelt. Falls er nicht stimmt, &lt;font color=&quot;red&quot;&gt;teilen Sie uns bitte Ihr Paar aus (Sprache_Region, Zeichensatz) mit&lt;/font&gt;, vielen Dank. Der Wert ist der 8-Bit- oder Multibyte-Zeichensatz, in dem das Betriebssystem Nicht-ASCII-Text speichert. Dieses Feld dient nur zur Information.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Please note:&lt;ul&gt;&lt;li&gt;Sub-directories are processed recursively;&lt;/li&gt;&lt;li&gt;When doing full-text search, only plain text files such as .txt/.html are processed; others including .doc/.pdf are ignored;&lt;/li&gt;&lt;li&gt;BOM and some other means are used together to determine the encoding of a saved file. Unrecognized ones are taken as the default local charset.&lt;/li&gt;&lt;/ul&gt;&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Bitte beachten Sie:&lt;ul&gt;&lt;li&gt;Unterordner werden rekursiv durchsucht;&lt;/li&gt;&lt;li&gt;bei der Volltextsuche werden nur reine Textdateien wie .txt/.html gelesen, andere wie .doc/.pdf werden übergangen;&lt;/li&gt;&lt;li&gt;die Kodierung einer Datei wird anhand der BOM und weiterer Merkmale bestimmt. Nicht erkannte Dateien werden im lokalen Standardzeichensatz gelesen.&lt;/li&gt;&lt;/ul&gt;&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Multi-keyword input separated by space(s) is allowed. The effect is always AND. Case-insensitive. Punctuals are NOT filtered since sometimes we do want to find a word ending with a particular punctual.&lt;br /&gt;&lt;br /&gt;Keywords can be in whatever languages, including Chinese, French, German, Russian, Arabian, Hebrew, Japanese, Korean, as long as the computer supports the input into the system.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Mehrere Suchbegriffe können durch Leerzeichen getrennt eingegeben werden; sie werden immer mit UND verknüpft. Groß- und Kleinschreibung wird nicht unterschieden. Satzzeichen werden NICHT herausgefiltert, denn manchmal sucht man gerade ein Wort, das auf ein bestimmtes Satzzeichen endet.&lt;br /&gt;&lt;br /&gt;Die Suchbegriffe können in jeder Sprache sein, etwa Chinesisch, Französisch, Deutsch, Russisch, Arabisch, Hebräisch, Japanisch oder Koreanisch, sofern das System ihre Eingabe unterstützt.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;When matching filename, search is &lt;font color=&quot;red&quot;&gt;not limited to plain-text files&lt;/font&gt;.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Die Dateinamensuche ist &lt;font color=&quot;red&quot;&gt;nicht auf reine Textdateien beschränkt&lt;/font&gt;.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;When doing full-text search, &lt;font color=&quot;red&quot;&gt;only plain-text files&lt;/font&gt; are checked.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Bei der Volltextsuche werden &lt;font color=&quot;red&quot;&gt;nur reine Textdateien&lt;/font&gt; durchsucht.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Exit this running program.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Dieses Programm beenden.&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="-54"/>
        <location line="+166"/>
        <source>Ready to do the Unicode full text search...</source>
        <translation>Bereit zur Unicode-Volltextsuche …</translation>
    </message>
    <message>
        <location line="-111"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;These two radion buttons take effect only in the case of single-keyword full-text search. In the case of multiple-keyword full-text search, match-whole-word is always assumed. In the case of filename search, match-substring is always assumed, no matter single-keyword or multiple-keyword.&lt;br /&gt;&lt;br /&gt;Exception: In languages such as Chinese where words are not separated by spaces, the actual effect is always match-substring. If the way the program works does not handle your characters and text well, &lt;font color=&quot;red&quot;&gt;please keep us informed of the characteristics of your language: locale name, default multi-byte charset if there is, and if words are separated by spaces&lt;/font&gt;. Thank you!&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot;&gt;Diese beiden Optionen wirken nur bei der Volltextsuche nach einem einzelnen Suchbegriff. Bei der Volltextsuche nach mehreren Suchbegriffen wird immer nach ganzen Wörtern gesucht, bei der Dateinamensuche immer nach Wortteilen, gleich ob nach einem oder mehreren Suchbegriffen.&lt;br /&gt;&lt;br /&gt;Ausnahme: In Sprachen wie Chinesisch, in denen Wörter nicht durch Leerzeichen getrennt werden, wird stets nach Wortteilen gesucht. Falls das Programm Ihre Schriftzeichen und Texte nicht richtig behandelt, &lt;font color=&quot;red&quot;&gt;teilen Sie uns bitte die Eigenheiten Ihrer Sprache mit: den Namen der Locale, den Standard-Multibyte-Zeichensatz (falls vorhanden) und ob Wörter durch Leerzeichen getrennt werden&lt;/font&gt;. Vielen Dank!&lt;/font&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
        <translation>Lintra - Norvane [Volltextsuche in Unicode-Textdateien] Freeware</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot; style=&quot;font-size:8pt&quot;&gt;Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. Freeware.&lt;/font&gt; &lt;a href=&quot;%2&quot;&gt;Online documentation&lt;/a&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body&gt;&lt;font face=&quot;verdana&quot; style=&quot;font-size:8pt&quot;&gt;Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. Freeware.&lt;/font&gt; &lt;a href=&quot;%2&quot;&gt;Online-Hilfe&lt;/a&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location filename="../app/clintra_about.cpp" line="+17"/>
        <source>Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. All rights reserved.</source>
        <translation>Copyright &amp;copy; 2010 &lt;a href=&quot;%1&quot;&gt;Norvane&lt;/a&gt;. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About Lintra</source>
        <translation>Über Lintra</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="vanished">&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="vanished">&amp;Beenden</translation>
    </message>
    <message>
        <source>FYI</source>
        <translation type="vanished">Hinweis</translation>
    </message>
    <message>
        <source>The program will keep running in the system tray. To terminate the program, choose &lt;b&gt;Quit&lt;/b&gt; in the context menu of the system tray entry.</source>
        <translation type="vanished">Das Programm läuft im Systemabschnitt der Kontrollleiste weiter. Um es zu beenden, wählen Sie &lt;b&gt;Beenden&lt;/b&gt; im Kontextmenü seines Symbols im Systemabschnitt.</translation>
    </message>
    <message>
        <location filename="../app/ui_clintra.cpp" line="-40"/>
        <location line="+33"/>
        <source>Default Local Charset</source>
        <translation>Lokaler Standardzeichensatz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keyword(s)</source>
        <translation>Suchbegriffe</translation>
    </message>
    <message>
        <source>Filename Search</source>
        <translation type="vanished">Dateinamensuche</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="vanished">Durchsuchen …</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+34"/>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancel the Search</source>
        <translation type="vanished">Suche abbrechen</translation>
    </message>
    <message>
        <source>Match Whole Word</source>
        <translation type="vanished">Ganze Wörter</translation>
    </message>
    <message>
        <source>Match Substring</source>
        <translation type="vanished">Wortteile</translation>
    </message>
    <message>
        <source>Full Text Search</source>
        <translation type="vanished">Volltextsuche</translation>
    </message>
    <message>
        <source>Exit Norvane Lintra</source>
        <translation type="vanished">Norvane Lintra beenden</translation>
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
        <translation type="vanished">Über …</translation>
    </message>
    <message>
        <source>Check Updates</source>
        <translation type="vanished">Nach Updates suchen</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Result Files</source>
        <translation>Gefundene Dateien</translation>
    </message>
    <message>
        <location filename="../app/formfitting.cpp" line="+53"/>
        <source>Matched Filename</source>
        <translation>Gefundener Dateiname</translation>
    </message>
    <message>
        <location filename="../app/clintra.cpp" line="-201"/>
        <location filename="../app/formfitting.cpp" line="+0"/>
        <source>File Content in Charset</source>
        <translation>Dateiinhalt im Zeichensatz</translation>
    </message>
    <message>
        <source>Error: Invalid path given! Please have it corrected.</source>
        <translation type="vanished">Fehler: Der angegebene Pfad ist ungültig. Bitte korrigieren Sie ihn.</translation>
    </message>
    <message>
        <source>%1 of the %2 searched files contain(s) the given keyword(s).</source>
        <translation type="vanished">Treffer in %1 von %2 durchsuchten Dateien.</translation>
    </message>
    <message>
        <source>%1 of the %2 searched files have/has the given keyword(s) in filename.</source>
        <translation type="vanished">Treffer im Dateinamen bei %1 von %2 durchsuchten Dateien.</translation>
    </message>
    <message>
        <source>Directory: </source>
        <translation type="vanished">Ordner: </translation>
    </message>
    <message>
        <source>Keywords: </source>
        <translation type="vanished">Suchbegriffe: </translation>
    </message>
    <message>
        <source>%1 of the %2 searched files found.</source>
        <translation type="vanished">%1 von %2 durchsuchten Dateien gefunden.</translation>
    </message>
    <message>
        <source>&lt;font color=&quot;red&quot;&gt;FYI: You may click any row in the left pane to see the </source>
        <translation type="vanished">&lt;font color=&quot;red&quot;&gt;Hinweis: Klicken Sie links auf eine Zeile, um den </translation>
    </message>
    <message>
        <source>matched text</source>
        <translation type="vanished">gefundenen Text</translation>
    </message>
    <message>
        <source>full filename</source>
        <translation type="vanished">vollständigen Dateinamen</translation>
    </message>
    <message>
        <source>.&lt;/font&gt;</source>
        <translation type="vanished"> zu sehen.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Select a Directory</source>
        <translation type="vanished">Ordner auswählen</translation>
    </message>
    <message>
        <source>Checking the name of file %1 of total %2 files...</source>
        <translation type="vanished">Dateiname %1 von %2 wird geprüft …</translation>
    </message>
    <message>
        <source>Processing file %1 of total %2 files...</source>
        <translation type="vanished">Datei %1 von %2 wird durchsucht …</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation type="vanished">Dateiname</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation type="vanished">Größe (KB)</translation>
    </message>
    <message>
        <source>Last Modified Time</source>
        <translation type="vanished">Zuletzt geändert</translation>
    </message>
    <message>
        <location filename="../app/clintra_charset.cpp" line="+25"/>
        <source> (Language: </source>
        <translation> (Sprache: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>An early attempt to check updates has not finished yet, please hold on a while.</source>
        <translation type="vanished">Die vorherige Suche nach Updates ist noch nicht abgeschlossen. Bitte warten Sie einen Moment.</translation>
    </message>
    <message>
        <source>Network Error</source>
        <translation type="vanished">Netzwerkfehler</translation>
    </message>
    <message>
        <source>Can not get program update information. Please check your Internet connection!</source>
        <translation type="vanished">Die Informationen über Programm-Updates konnten nicht abgerufen werden. Bitte überprüfen Sie Ihre Internetverbindung.</translation>
    </message>
    <message>
        <source> Check Updates</source>
        <translation type="vanished"> – Nach Updates suchen</translation>
    </message>
    <message>
        <source> Update Auto-Check</source>
        <translation type="vanished"> – Automatische Suche nach Updates</translation>
    </message>
    <message>
        <source>Updates available!&lt;br /&gt;&lt;br /&gt;The installed version is: </source>
        <translation type="vanished">Updates verfügbar!&lt;br /&gt;&lt;br /&gt;Installierte Version: </translation>
    </message>
    <message>
        <source>&lt;br /&gt;The latest version is: </source>
        <translation type="vanished">&lt;br /&gt;Neueste Version: </translation>
    </message>
    <message>
        <source>&lt;br /&gt;Please go to &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; to get the latest version!</source>
        <translation type="vanished">&lt;br /&gt;Die neueste Version erhalten Sie unter &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;.</translation>
    </message>
    <message>
        <source>No updates available!&lt;br /&gt;&lt;br /&gt;The installed is already the latest version: </source>
        <translation type="vanished">Keine Updates verfügbar.&lt;br /&gt;&lt;br /&gt;Die installierte Version ist bereits die neueste: </translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="vanished">Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the selected file with the desktop&apos;s application for it.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;Die ausgewählte Datei mit dem Programm öffnen, das die Arbeitsumgebung dafür vorsieht.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Copy File &amp;Path</source>
        <translation type="vanished">Datei&amp;pfad kopieren</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Copy the full path of the selected file to the clipboard.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;Den vollständigen Pfad der ausgewählten Datei in die Zwischenablage kopieren.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>Open Containing &amp;Folder</source>
        <translation type="vanished">Übergeordneten &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Open the folder that contains the selected file in the system File Explorer.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;Den Ordner, der die ausgewählte Datei enthält, in der Dateiverwaltung des Systems öffnen.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>The file no longer exists:
%1</source>
        <translation type="vanished">Die Datei gibt es nicht mehr:
%1</translation>
    </message>
    <message>
        <source>No application could be started to open the file:
%1</source>
        <translation type="vanished">Es ließ sich kein Programm starten, das die Datei öffnet:
%1</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation type="vanished">Übergeordneten Ordner öffnen</translation>
    </message>
    <message>
        <source>No file manager is installed that could show the folder %1.</source>
        <translation type="vanished">Es ist kein Dateimanager installiert, der den Ordner %1 anzeigen könnte.</translation>
    </message>
    <message>
        <source>Should not arrive here; with high possibility it is due to file operation error...</source>
        <translation type="vanished">Dieser Fall sollte nicht eintreten; sehr wahrscheinlich ist beim Dateizugriff ein Fehler aufgetreten …</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;The whole document is loaded successfully in this pane.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;Das gesamte Dokument wurde in diesen Bereich geladen.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>&lt;font face=&quot;verdana&quot;&gt;Only partial document is loaded in this pane since the file is big; please use the context menu with a mouse right click to view other parts of the document. Therefore, &lt;font color=&quot;red&quot;&gt;the currently viewed part may not contain the matched line(s)&lt;/font&gt;.&lt;/font&gt;</source>
        <translation type="vanished">&lt;font face=&quot;verdana&quot;&gt;Da die Datei groß ist, wurde nur ein Teil des Dokuments in diesen Bereich geladen; die anderen Teile erreichen Sie über das Kontextmenü (rechte Maustaste). Daher &lt;font color=&quot;red&quot;&gt;enthält der angezeigte Teil die gefundenen Zeilen möglicherweise nicht&lt;/font&gt;.&lt;/font&gt;</translation>
    </message>
    <message>
        <source>File seek error!</source>
        <translation type="vanished">Fehler beim Positionieren in der Datei!</translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="vanished">Information</translation>
    </message>
    <message>
        <source>Already at the beginning of the file!</source>
        <translation type="vanished">Bereits am Anfang der Datei!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="vanished">Fehler</translation>
    </message>
    <message>
        <source>Already at the end of the file!</source>
        <translation type="vanished">Bereits am Ende der Datei!</translation>
    </message>
    <message>
        <source>Result File Content</source>
        <translation type="vanished">Inhalt der Ergebnisdatei</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1 or its folder cannot be written. The window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation type="vanished">Die Einstellungen können nicht gespeichert werden: %1 oder sein Ordner ist nicht beschreibbar. Größe und Position des Fensters, die Verlaufslisten der Verzeichnisse und Suchbegriffe und der Zeitplan der Update-Prüfung bleiben nach diesem Lauf nicht erhalten.</translation>
    </message>
    <message>
        <source>No settings are kept: %1 is not a regular file that can be read. Lintra neither reads nor writes it; the window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation type="vanished">Es werden keine Einstellungen gespeichert: %1 ist keine lesbare reguläre Datei. Lintra liest und schreibt sie nicht; Größe und Position des Fensters, die Verlaufslisten der Verzeichnisse und Suchbegriffe und der Zeitplan der Update-Prüfung bleiben nach diesem Lauf nicht erhalten.</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1 could not be written in full (is the disk full?). The file keeps the settings it had before.</source>
        <translation type="vanished">Die Einstellungen konnten nicht gespeichert werden: %1 konnte nicht vollständig geschrieben werden (ist der Datenträger voll?). Die Datei behält die Einstellungen, die sie vorher hatte.</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="+184"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Runtime Folder</source>
        <translation>Laufzeitordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lintra cannot make sure that it runs only once: %1. Another start of Lintra opens a second window. Give XDG_RUNTIME_DIR a folder of yours alone, or remove the folder named.</source>
        <translation>Lintra kann nicht sicherstellen, dass es nur einmal läuft: %1. Ein weiterer Start von Lintra öffnet ein zweites Fenster. Setzen Sie XDG_RUNTIME_DIR auf einen Ordner, der allein Ihnen gehört, oder entfernen Sie den genannten Ordner.</translation>
    </message>
</context>
<context>
    <name>CMatchingLinesModel</name>
    <message>
        <location filename="../search/core/matchinglinesmodel.cpp" line="+299"/>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
</context>
<context>
    <name>CResultLines</name>
    <message>
        <location filename="../search/cresultlines.cpp" line="+19"/>
        <source>Show Matching &amp;Lines</source>
        <translation>Passende &amp;Zeilen anzeigen</translation>
    </message>
</context>
<context>
    <name>CResultViewer</name>
    <message>
        <location filename="../viewer/cresultviewer.cpp" line="+26"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;The whole document is loaded successfully in this pane.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Das gesamte Dokument wurde in diesen Bereich geladen.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;font face=&quot;verdana&quot;&gt;Only partial document is loaded in this pane since the file is big; please use the context menu with a mouse right click to view other parts of the document. Therefore, &lt;font color=&quot;red&quot;&gt;the currently viewed part may not contain the matched line(s)&lt;/font&gt;.&lt;/font&gt;</source>
        <translation>&lt;font face=&quot;verdana&quot;&gt;Da die Datei groß ist, wurde nur ein Teil des Dokuments in diesen Bereich geladen; die anderen Teile erreichen Sie über das Kontextmenü (rechte Maustaste). Daher &lt;font color=&quot;red&quot;&gt;enthält der angezeigte Teil die gefundenen Zeilen möglicherweise nicht&lt;/font&gt;.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The file has become shorter since it was opened: this part of it can no longer be read. Select the file again to read it anew.</source>
        <translation>Die Datei ist seit dem Öffnen kürzer geworden: Dieser Teil kann nicht mehr gelesen werden. Wählen Sie die Datei erneut aus, um sie neu einzulesen.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The file is gone: it was deleted or moved.</source>
        <translation>Die Datei ist nicht mehr da: Sie wurde gelöscht oder verschoben.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not shown: this is not a regular file but a FIFO, socket or device.</source>
        <translation>Nicht angezeigt: Dies ist keine reguläre Datei, sondern ein FIFO, ein Socket oder ein Gerät.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file cannot be opened or read.</source>
        <translation>Die Datei kann nicht geöffnet oder gelesen werden.</translation>
    </message>
    <message>
        <location line="+153"/>
        <location line="+178"/>
        <source>No further match.</source>
        <translation>Kein weiterer Treffer.</translation>
    </message>
    <message>
        <location line="-162"/>
        <location line="+162"/>
        <source>No earlier match.</source>
        <translation>Kein früherer Treffer.</translation>
    </message>
    <message>
        <location line="-114"/>
        <source>Stopped: the file does not answer.</source>
        <translation>Abgebrochen: Die Datei antwortet nicht.</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Looking for a keyword: %1 of %2 read (%3%). Esc stops.</source>
        <translation>Suche nach einem Stichwort: %1 von %2 gelesen (%3 %). Esc bricht ab.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Reading the file… Esc stops.</source>
        <translation>Die Datei wird gelesen … Esc bricht ab.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Stopped looking for a keyword: the pane shows the start of the file.</source>
        <translation>Suche nach einem Stichwort abgebrochen: Angezeigt wird der Anfang der Datei.</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+3"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Already at the beginning of the file!</source>
        <translation>Bereits am Anfang der Datei!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Already at the end of the file!</source>
        <translation>Bereits am Ende der Datei!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Result File Content</source>
        <translation>Inhalt der Ergebnisdatei</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Stopped looking for a match.</source>
        <translation>Suche nach einem Treffer abgebrochen.</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>No keyword in any of the %1 blocks</source>
        <translation>Keiner der %1 Blöcke enthält einen Suchbegriff</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Block %1 of %2</source>
        <translation>Block %1 von %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Block %1 of about %2</source>
        <translation>Block %1 von etwa %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Match %1 of at least %2, line %3</source>
        <translation>Treffer %1 von mindestens %2, Zeile %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last match: %1 of %2, line %3</source>
        <translation>Letzter Treffer: %1 von %2, Zeile %3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Match %1 of %2, line %3</source>
        <translation>Treffer %1 von %2, Zeile %3</translation>
    </message>
</context>
<context>
    <name>CSearchDriver</name>
    <message>
        <location filename="../search/csearchdriver.cpp" line="+243"/>
        <source>Matched Filename</source>
        <translation>Gefundener Dateiname</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>File Content in Charset</source>
        <translation>Dateiinhalt im Zeichensatz</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Error: Invalid path given! Please have it corrected.</source>
        <translation>Fehler: Der angegebene Pfad ist ungültig. Bitte korrigieren Sie ihn.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Directory: </source>
        <translation>Ordner: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keywords: </source>
        <translation>Suchbegriffe: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files found.</source>
        <translation>%1 von %2 durchsuchten Dateien gefunden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;font color=&quot;red&quot;&gt;FYI: You may click any row in the left pane to see the </source>
        <translation>&lt;font color=&quot;red&quot;&gt;Hinweis: Klicken Sie links auf eine Zeile, um den </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>matched text</source>
        <translation>gefundenen Text</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>full filename</source>
        <translation>vollständigen Dateinamen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>.&lt;/font&gt;</source>
        <translation> zu sehen.&lt;/font&gt;</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Select a Directory</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Processing file %1 of total %2 files...</source>
        <translation>Datei %1 von %2 wird durchsucht …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Checking the name of file %1 of total %2 files...</source>
        <translation>Dateiname %1 von %2 wird geprüft …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files contain(s) the given keyword(s).</source>
        <translation>Treffer in %1 von %2 durchsuchten Dateien.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 searched files have/has the given keyword(s) in filename.</source>
        <translation>Treffer im Dateinamen bei %1 von %2 durchsuchten Dateien.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Size (KB)</source>
        <translation>Größe (KB)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last Modified Time</source>
        <translation>Zuletzt geändert</translation>
    </message>
</context>
<context>
    <name>CSearchRun</name>
    <message>
        <location filename="../search/csearchrun.cpp" line="+257"/>
        <source>The search was cancelled at file %1 of %2; %3 found so far.</source>
        <translation>Die Suche wurde bei Datei %1 von %2 abgebrochen; bis dahin %3 gefunden.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 folder</source>
        <translation>1 Ordner</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 folders</source>
        <translation>%1 Ordner</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 and %2 could not be read.</source>
        <translation>Nicht gelesen: %1 und %2.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 could not be read.</source>
        <translation>Nicht gelesen: %1.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The search stopped early, the results are incomplete: %1.</source>
        <translation>Die Suche wurde vorzeitig beendet, die Ergebnisse sind unvollständig: %1.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Not Read</source>
        <translation>Nicht gelesen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not a regular file (a FIFO, socket or device)</source>
        <translation>keine gewöhnliche Datei (FIFO, Socket oder Gerät)</translation>
    </message>
</context>
<context>
    <name>CSettingsBinding</name>
    <message>
        <location filename="../app/csettingsbinding.cpp" line="+105"/>
        <source>The settings cannot be saved: %1 or its folder cannot be written. The window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation>Die Einstellungen können nicht gespeichert werden: %1 oder sein Ordner ist nicht beschreibbar. Größe und Position des Fensters, die Verlaufslisten der Verzeichnisse und Suchbegriffe und der Zeitplan der Update-Prüfung bleiben nach diesem Lauf nicht erhalten.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No settings are kept: %1 is not a regular file that can be read. Lintra neither reads nor writes it; the window&apos;s size and position, the directory and keyword histories and the update schedule will not be kept after this run.</source>
        <translation>Es werden keine Einstellungen gespeichert: %1 ist keine lesbare reguläre Datei. Lintra liest und schreibt sie nicht; Größe und Position des Fensters, die Verlaufslisten der Verzeichnisse und Suchbegriffe und der Zeitplan der Update-Prüfung bleiben nach diesem Lauf nicht erhalten.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>The settings could not be saved: %1 could not be written in full (is the disk full?). The file keeps the settings it had before.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1 konnte nicht vollständig geschrieben werden (ist der Datenträger voll?). Die Datei behält die Einstellungen, die sie vorher hatte.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
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
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>FYI</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The program will keep running in the system tray. To terminate the program, choose &lt;b&gt;Quit&lt;/b&gt; in the context menu of the system tray entry.</source>
        <translation>Das Programm läuft im Systemabschnitt der Kontrollleiste weiter. Um es zu beenden, wählen Sie &lt;b&gt;Beenden&lt;/b&gt; im Kontextmenü seines Symbols im Systemabschnitt.</translation>
    </message>
</context>
<context>
    <name>CUpdateDialogs</name>
    <message>
        <location filename="../update/cupdatedialogs.cpp" line="+27"/>
        <source>FYI</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An early attempt to check updates has not finished yet, please hold on a while.</source>
        <translation>Die vorherige Suche nach Updates ist noch nicht abgeschlossen. Bitte warten Sie einen Moment.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Network Error</source>
        <translation>Netzwerkfehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not get program update information. Please check your Internet connection!</source>
        <translation>Die Informationen über Programm-Updates konnten nicht abgerufen werden. Bitte überprüfen Sie Ihre Internetverbindung.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source> Check Updates</source>
        <translation> – Nach Updates suchen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> Update Auto-Check</source>
        <translation> – Automatische Suche nach Updates</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Updates available!&lt;br /&gt;&lt;br /&gt;The installed version is: </source>
        <translation>Updates verfügbar!&lt;br /&gt;&lt;br /&gt;Installierte Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;br /&gt;The latest version is: </source>
        <translation>&lt;br /&gt;Neueste Version: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;br /&gt;Please go to &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt; to get the latest version!</source>
        <translation>&lt;br /&gt;Die neueste Version erhalten Sie unter &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>No updates available!&lt;br /&gt;&lt;br /&gt;The installed is already the latest version: </source>
        <translation>Keine Updates verfügbar.&lt;br /&gt;&lt;br /&gt;Die installierte Version ist bereits die neueste: </translation>
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
        <translation>Aufruf: %1 [OPTION]... [VERZEICHNIS]
Findet die Dateien unter VERZEICHNIS, deren Namen oder Textinhalte alle
Suchbegriffe enthalten, und zeigt sie mit farbig markierten Suchbegriffen.

VERZEICHNIS (ein Pfad oder eine file:-URL) wird in das Verzeichnisfeld gesetzt.
Läuft Lintra für diesen Benutzer schon, zeigt es sein Fenster mit VERZEICHNIS.

  -h, --help     diese Hilfe ausgeben und beenden
  -v, --version  die Version ausgeben und beenden
Die Optionen von Qt (-platform NAME, -style NAME, ...) werden ebenfalls angenommen.

Einstellungen: $XDG_CONFIG_HOME/Norvane/Lintra.conf (~/.config, wenn nicht gesetzt).
</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: unknown option &apos;%2&apos;
Usage: %1 [--help] [--version] [DIRECTORY]
</source>
        <translation>%1: unbekannte Option „%2“
Aufruf: %1 [--help] [--version] [VERZEICHNIS]
</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1: no graphical session found (neither DISPLAY nor WAYLAND_DISPLAY can be reached).
Lintra is a desktop program and needs one; &apos;%1 --help&apos; lists its options.
</source>
        <translation>%1: keine grafische Sitzung gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist erreichbar).
Lintra ist ein Desktop-Programm und braucht eine; „%1 --help“ nennt seine Optionen.
</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../app/main.cpp" line="+44"/>
        <source>System Tray</source>
        <translation>Systemabschnitt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No system tray is detected on this system.</source>
        <translation>Auf diesem System wurde kein Systemabschnitt der Kontrollleiste gefunden.</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="-40"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An instance of this application is already running, exiting this newly started one.</source>
        <translation>Dieses Programm läuft bereits; die neu gestartete Instanz wird beendet.</translation>
    </message>
</context>
</TS>
