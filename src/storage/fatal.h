// Fatal errors: the few failures the program cannot go on from, such as an
// allocation failure ("malloc error in CEBReader::CEBReader[m_hitList]") or
// an inflater that cannot be initialised.
//
// FatalError writes the message and a newline to stderr, gives it to the
// installed handler (the desktop programs show it in a message box), and
// ends the program with exit status 1. Book-data errors are never fatal;
// they are return values.
#ifndef TOMELING_STORAGE_FATAL_H_
#define TOMELING_STORAGE_FATAL_H_

using FatalErrorHandler = void (*)(const char* message);

// Installs the handler shown the message before the program ends; nullptr
// removes it. Set once at start-up, before any book is opened.
void SetFatalErrorHandler(FatalErrorHandler handler);

[[noreturn]] void FatalError(const char* message);

#endif  // TOMELING_STORAGE_FATAL_H_
