/* A DLL of the other Windows edition: built with the other edition's compiler and
   named Gridwell.dll, it is what a user gets who picks the wrong folder of the
   release. Its content does not matter: no host of this edition can load it. */
__declspec(dllexport) int MQGetPlugInType(void) { return 6; }
