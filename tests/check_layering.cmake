# Checks the direction of every #include under ROOT:
#   cmake -DROOT=<tree> -P check_layering.cmake
# Each folder of the house may include its own headers and those of the
# folders below it, nothing above; only a binding (and the tests, benchmarks
# and tools that drive it) may include its toolkit. Fails listing every
# include that points the wrong way.

cmake_minimum_required(VERSION 3.21)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<tree> -P check_layering.cmake")
endif()

# Folder: the project folders it may include from.
set(allowed_core core)
set(allowed_ui ui)
set(allowed_sheet core ui sheet)
set(allowed_countup core ui sheet countup)
set(allowed_game301 core ui sheet game301)
set(allowed_app core ui sheet countup game301 app)
set(allowed_inspection core ui sheet countup game301 app inspection)
set(allowed_resources resources)
set(layered core ui sheet countup game301 app inspection resources)

# Toolkit headers, and the folders that may include them.
set(qt_headers "^Q[A-Za-z]*(/|$)|^Qt[A-Za-z]*/")
set(qt_folders qt tests/qt bench tools)
set(win32_headers "^(windows|windowsx|commctrl|winuser|wingdi|shellapi|shlobj|uxtheme|winver|oleacc|ole2|objbase|oleauto|uiautomation[a-z]*)\\.h$")
set(win32_folders win32 tests/win32 bench/win32)

function(starts_with_any path prefixes result)
  set(${result} FALSE PARENT_SCOPE)
  foreach(prefix IN LISTS prefixes)
    if(path MATCHES "^${prefix}/")
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

set(wrong "")
set(checked 0)
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/*.hpp ${ROOT}/*.h ${ROOT}/*.cpp ${ROOT}/*.hpp.in)
foreach(source IN LISTS sources)
  if(source MATCHES "^(build|\\.)|^tests/layering_fixture/")
    continue()
  endif()
  string(REGEX MATCH "^[^/]+" folder "${source}")
  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  math(EXPR checked "${checked} + 1")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
    if(line MATCHES "\"" AND folder IN_LIST layered)
      string(REGEX MATCH "^[^/]+" target "${header}")
      if(NOT header MATCHES "/")
        set(target "${folder}") # a header beside the file
      endif()
      if(NOT target IN_LIST allowed_${folder})
        string(REPLACE ";" " " below "${allowed_${folder}}")
        list(APPEND wrong "${source}: ${header} (${folder} may include only: ${below})")
      endif()
    endif()
    if(line MATCHES "<")
      starts_with_any("${source}" "${qt_folders}" in_qt)
      starts_with_any("${source}" "${win32_folders}" in_win32)
      if(header MATCHES "${qt_headers}" AND NOT in_qt)
        list(APPEND wrong "${source}: <${header}> (Qt belongs to the qt binding)")
      endif()
      string(TOLOWER "${header}" lower)
      if(lower MATCHES "${win32_headers}" AND NOT in_win32)
        list(APPEND wrong "${source}: <${header}> (Win32 belongs to the win32 binding)")
      endif()
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no sources under ${ROOT}")
endif()
if(wrong)
  list(JOIN wrong "\n  " report)
  message(FATAL_ERROR "includes that point the wrong way:\n  ${report}")
endif()
message(STATUS "${checked} files, every include points down")
