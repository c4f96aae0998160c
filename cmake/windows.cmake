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
