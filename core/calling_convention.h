// Calling conventions of the system functions the core binds at run time.
//
// On 32-bit x86 a function pointer of the wrong convention corrupts the stack,
// so every pointer type that is called through the binding table spells its
// convention out. Elsewhere (the native test build) there is only one.
#pragma once

#if defined(__i386__)
#define MOVARO_CDECL __attribute__((cdecl))
#define MOVARO_STDCALL __attribute__((stdcall))
#else
#define MOVARO_CDECL
#define MOVARO_STDCALL
#endif
