/* Linked into every Windows program of the tree. mingw-w64's start-up object forces in
   its thread-local-storage support through these four symbols, and with it a TLS
   directory whose two callbacks run thread-key destructors and dynamic thread-local
   initialisers, of which these single-threaded programs have none. Defining the symbols
   here keeps that support out of the link: no TLS directory, no code run by the loader
   before the entry point, 2 KiB less per program, and five fewer imports (the lock and
   TLS functions it uses). The Windows compatibility test fails if a directory returns. */
#include <windows.h>

/* Null: the start-up code calls the initialiser only when there is one. */
const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = NULL;

int __mingw_initltsdrot_force = 0;
int __mingw_initltsdyn_force = 0;
int __mingw_initltssuo_force = 0;
