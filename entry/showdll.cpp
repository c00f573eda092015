#include <qelvan/showdll.h>

#include "Entry.h"

extern "C" QELVAN_EXPORT void QELVAN_CALL showdll(void*, std::uintptr_t hostWindow, qelvan::Session* hostSession, void*,
                                                  const char* const* params, std::int32_t highIndex)
{
    qelvan::entry::showdll(WId(hostWindow), hostSession, params, highIndex);
}
