// What both programs do as they start on a desktop: the interface's font and, on Windows, the
// console of the command prompt that started them.
#pragma once

namespace desktop {

// The interface's face, for every widget of the application: Microsoft YaHei (or SimSun on an
// older Windows), else Noto Sans CJK SC, before the platform's default. Chosen by name because a
// platform's default face may lack the Chinese glyphs, or under Wine be a symbol face in which
// Latin text does not draw at all. Call once the QApplication exists.
void useInterfaceFont();

#ifdef _WIN32
// The Windows programs have no console of their own, so a drafter starting one sees no console
// window. Started from a command prompt with their output not redirected, they write to that
// prompt's console (in UTF-8, the prompt's code page given back at exit). Call before anything
// is written to stdout or stderr.
void useParentConsole();
#else
inline void useParentConsole() {}
#endif

}  // namespace desktop
