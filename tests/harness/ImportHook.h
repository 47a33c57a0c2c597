// Puts a function of the test's own in one slot of the test program's import table
// while the hook exists. The game and the class library are linked into the program,
// so their calls to that platform function reach the test's function, which may pass
// them on to the entry the slot held.
#pragma once
#include <windows.h>
#include <cstring>

// Converts between function pointer types: an import slot does not keep its entry's type.
template <class To, class From>
To FunctionCast(From f)
{
    To to;
    static_assert(sizeof to == sizeof f, "function pointers of one size");
    std::memcpy(&to, &f, sizeof to);
    return to;
}

class ImportHook {
public:
    // pszFunction: the platform function's name as the program imports it.
    template <class F>
    ImportHook(const char* pszFunction, F replacement)
        : ImportHook(pszFunction, FunctionCast<FARPROC>(replacement)) {}
    ImportHook(const char* pszFunction, FARPROC pfnReplacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    // False when the program does not import the function where it can be seen.
    bool Active() const { return m_slot != nullptr; }

    // The entry the slot held: the platform's function.
    template <class F>
    F Original() const { return FunctionCast<F>(m_pfnOriginal); }

private:
    FARPROC* m_slot;
    FARPROC m_pfnOriginal;
};
