# Windows build: small, statically linked, no exceptions or RTTI; exe and DLLs side by side.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_options(-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
add_link_options(-static -static-libgcc -static-libstdc++ -s)

# Import library for HID2.DLL, generated from its definition file: the real library is
# closed and never part of the build. On i686 the stdcall references (hidinit@0 ...)
# bind to the undecorated exports (-k); x86_64 has no decoration at all.
if(NOT CMAKE_DLLTOOL)
  find_program(CMAKE_DLLTOOL dlltool REQUIRED)
endif()
set(HID2_DEF ${PROJECT_SOURCE_DIR}/lcd/hid2.def)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(READ ${HID2_DEF} hid2_def)
  string(REGEX REPLACE "@[0-9]+" "" hid2_def "${hid2_def}")
  set(HID2_DEF ${CMAKE_BINARY_DIR}/hid2.def)
  file(WRITE ${HID2_DEF} "${hid2_def}")
endif()
set(HID2_IMPORT_LIB ${CMAKE_BINARY_DIR}/libhid2.a)
add_custom_command(OUTPUT ${HID2_IMPORT_LIB}
  COMMAND ${CMAKE_DLLTOOL} -d ${HID2_DEF} -l ${HID2_IMPORT_LIB} -k
  DEPENDS ${HID2_DEF} VERBATIM)
add_custom_target(hid2_import_lib DEPENDS ${HID2_IMPORT_LIB})
add_library(hid2 STATIC IMPORTED GLOBAL)
set_target_properties(hid2 PROPERTIES IMPORTED_LOCATION ${HID2_IMPORT_LIB})
add_dependencies(hid2 hid2_import_lib)

# The LCD subsystem with its Windows seam, as the exe and the Wine tests link it.
add_library(lcd_platform STATIC lcd/platform_win32.cpp)
target_link_libraries(lcd_platform PRIVATE project_warnings)
target_link_libraries(lcd INTERFACE lcd_platform hid2)
