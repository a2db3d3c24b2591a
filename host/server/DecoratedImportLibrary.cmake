# Rewrites the export definitions the linker wrote for Halvex.dll (--output-def, with --kill-at
# every stdcall entry reads "Name = Name@N") into the definitions of an import library that names
# each entry with its "@N" (how callers compiled with the declarations refer to it) and imports it
# by its plain name (how the DLL exports it):
#   cmake -DINPUT=exports.def -DOUTPUT=import.def -P DecoratedImportLibrary.cmake
# then: dlltool --kill-at --input-def import.def --dllname Halvex.dll --output-lib libHalvex.dll.a
file(READ ${INPUT} definitions)
string(REGEX REPLACE "([^ \t\r\n=]+) = ([^ \t\r\n]+)" "\\2" definitions "${definitions}")
file(WRITE ${OUTPUT} "${definitions}")
