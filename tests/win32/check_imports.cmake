# Checks that a Windows executable loads no DLL beyond those Windows itself
# ships, so that it runs by double-click with nothing installed beside it:
#   cmake -DOBJDUMP=<objdump> -DEXE=<file.exe> -P check_imports.cmake
cmake_minimum_required(VERSION 3.21)

set(shipped advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleacc.dll oleaut32.dll shell32.dll
            user32.dll version.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
set(foreign "")
foreach(line IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST shipped)
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${EXE} needs DLLs that Windows does not ship: ${foreign}")
endif()
message(STATUS "${EXE} imports only: ${names}")
