#ifndef LINTRA_COMPILEDRESOURCES_H
#define LINTRA_COMPILEDRESOURCES_H

// The program's images (":/images/...") are compiled into the static library
// lintra_ui. The linker leaves out a static library's objects that nothing
// refers to, and the resource registers itself only from such an object, so
// the program calls this once before it uses an image. Calling it again does
// nothing more.
void InitCompiledResources();

#endif
