# Compiler cache, fast linker and warning flags shared by every target.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

# Prefer mold, then lld; fall back to the system linker.
include(CheckLinkerFlag)
find_program(MOLD_PROGRAM mold)
find_program(LLD_PROGRAM NAMES ld.lld ld.lld-14)
if(MOLD_PROGRAM)
  check_linker_flag(CXX "-fuse-ld=mold" QUELMAR_HAVE_MOLD)
endif()
if(QUELMAR_HAVE_MOLD)
  add_link_options(-fuse-ld=mold)
elseif(LLD_PROGRAM)
  check_linker_flag(CXX "-fuse-ld=lld" QUELMAR_HAVE_LLD)
  if(QUELMAR_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()

add_compile_options(-Wall -Wextra)
if(QUELMAR_WERROR)
  add_compile_options(-Werror)
endif()

# Sources of one folder: every .cpp beside its headers (one concept per file).
function(quelmar_glob_sources out_var)
  file(GLOB _found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(${out_var} ${_found} PARENT_SCOPE)
endfunction()

if(QUELMAR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument all code for coverage, so the fuzzers see inside the engine.
if(QUELMAR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# quelmar_layer_view(<target> <folder>...): the target's sources see only the
# named source folders (each as "control/data", "platform", ...), through a
# tree of symbolic links in the build folder. An #include of any other
# folder is not found, so the layers are enforced by the compiler: a target
# lists its own folder and the folders below it, never one above.
function(quelmar_layer_view target visibility)
  set(view ${PROJECT_BINARY_DIR}/layers/${target})
  foreach(folder ${ARGN})
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${view}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${visibility} ${view})
endfunction()
