# Windows build: small, statically linked, no exceptions or RTTI; exe and DLLs side by side.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_options(-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
add_link_options(-static -static-libgcc -static-libstdc++ -s)

# Reproducible images: the same sources give the same bytes in any folder at any time.
# The linker writes no time stamp into the PE header and export table (the field stays
# 0), and no build or source folder reaches an object file.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)

# No application manifest, whichever MinGW links the exe: GCC's driver adds
# default-manifest.o to every exe link when the toolchain ships one, and some Windows
# distributions of MinGW do. A specs file restating this compiler's own end-file list
# without that object keeps it out; nothing else about the link changes.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpspecs OUTPUT_VARIABLE gcc_specs)
string(REGEX MATCH "\\*endfile:\n[^\n]*" gcc_endfile "${gcc_specs}")
set(default_manifest_clause "%{!shared:%:if-exists(default-manifest.o%s)}")
string(FIND "${gcc_endfile}" "${default_manifest_clause}" manifest_at)
if(manifest_at GREATER -1)
  string(REPLACE "${default_manifest_clause}" "" gcc_endfile "${gcc_endfile}")
  set(NO_MANIFEST_SPECS ${CMAKE_BINARY_DIR}/no-default-manifest.specs)
  file(WRITE ${NO_MANIFEST_SPECS} "${gcc_endfile}\n\n")
  add_link_options(-specs=${NO_MANIFEST_SPECS})
endif()

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
