/* Linked into Korvane.exe. mingw-w64's start-up code calls _pei386_runtime_relocator,
   which patches, once the program is loaded, each place where code reaches a DLL's data
   through no import declaration (a pseudo-relocation, listed by the linker). The linker
   lists none for Korvane.exe, so the library's relocator, with the section lookups and
   the error report it brings, is 2 KiB of code and six imports that never do anything:
   room that the program's own features need under its size limit. This one only checks
   that the list is empty; a change that would need one stops the program before its
   first step, and so every test that starts it fails, rather than letting it run with
   an address left unpatched. */
#include <stdint.h>

extern const char __RUNTIME_PSEUDO_RELOC_LIST__, __RUNTIME_PSEUDO_RELOC_LIST_END__;

void _pei386_runtime_relocator(void) {
  uintptr_t start = (uintptr_t)&__RUNTIME_PSEUDO_RELOC_LIST__;
  /* The compiler may take two distinct symbols for distinct addresses; the linker makes
     them one when the list is empty. */
  __asm__("" : "+r"(start));
  if (start != (uintptr_t)&__RUNTIME_PSEUDO_RELOC_LIST_END__) __builtin_trap();
}
