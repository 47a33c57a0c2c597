#include "TraceCapture.h"
#include <cstring>

// The program writes its trace with OutputDebugStringA. The capture takes the place of
// that entry in the test program's own import table, so it sees the text exactly as
// written, then passes it on.
namespace {

std::string* g_pText = nullptr;
FARPROC g_pfnOriginal = nullptr;

// Calls through the import slot's entry, whose type the table does not keep.
template <class To, class From>
To FunctionCast(From f)
{
    To to;
    static_assert(sizeof to == sizeof f, "function pointers of one size");
    std::memcpy(&to, &f, sizeof to);
    return to;
}

void WINAPI Capture(LPCSTR text)
{
    if (g_pText != nullptr && text != nullptr)
        g_pText->append(text);
    FunctionCast<decltype(&::OutputDebugStringA)>(g_pfnOriginal)(text);
}

// The import table slot of kernel32's OutputDebugStringA in this program, or null.
FARPROC* ImportSlot()
{
    BYTE* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "OutputDebugStringA") == 0)
                return reinterpret_cast<FARPROC*>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void Patch(FARPROC* slot, FARPROC value)
{
    DWORD old;
    ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

TraceCapture::TraceCapture() : m_slot(ImportSlot())
{
    if (m_slot == nullptr)
        return;
    g_pfnOriginal = *m_slot;
    g_pText = &m_text;
    Patch(m_slot, FunctionCast<FARPROC>(&Capture));
}

TraceCapture::~TraceCapture()
{
    if (m_slot == nullptr)
        return;
    Patch(m_slot, g_pfnOriginal);
    g_pText = nullptr;
}
