# Fails when a folder of src/ includes a header of a folder that is not below it, or when
# a file outside the interpreter includes the engine's header.
# Layers from the bottom: common <- interpreter <- run and grading (the cases, the pool
# of graded runs, the reports) <- cli; common <- qt_common (the Qt helpers) <- editor
# and run; editor, run, utilities, grading <- the shell's parts (console, debugger,
# generators, help), which stand beside each other, <- shell/main <- app. A
# folder may include its own headers and those of any folder below it, directly or not.
# A quoted include is resolved to a file of src/ by its path's end ("x.h" or "dir/x.h");
# includes that name no file of src/ (the system's, Qt's, generated ones) are left alone.
# A new folder of src/ (or of src/shell) must be given its place here before it can
# include anything.
# The engine's header (src/interpreter/engine/engine.h) is the interpreter's own: only
# src/interpreter, tests/interpreter and fuzz include it.
#   cmake -DSOURCE_DIR=<project root> -P layers.cmake
cmake_minimum_required(VERSION 3.20)

# The folders each folder stands directly on.
set(below_common "")
set(below_interpreter common)
set(below_grading interpreter)
set(below_cli grading)
set(below_qt_common common)
set(below_run interpreter qt_common)
set(below_editor common qt_common)
set(below_utilities common)
set(below_shell/console editor run utilities grading)
set(below_shell/debugger editor run utilities grading)
set(below_shell/generators editor run utilities grading)
set(below_shell/help editor run utilities grading)
set(below_shell/exercises editor run utilities grading)
set(below_shell/main shell/console shell/debugger shell/exercises shell/generators shell/help)
set(below_app shell/main)
set(layers common interpreter grading cli qt_common run editor utilities shell/console shell/debugger
           shell/exercises shell/generators shell/help shell/main app)

# Everything below a folder, following the layers down.
function(all_below folder out)
  set(result "")
  set(todo ${below_${folder}})
  while(todo)
    list(POP_FRONT todo next)
    if(NOT next IN_LIST result)
      list(APPEND result ${next})
      list(APPEND todo ${below_${next}})
    endif()
  endwhile()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

set(src ${SOURCE_DIR}/src)
file(GLOB_RECURSE files RELATIVE ${src} ${src}/*.h ${src}/*.hpp ${src}/*.cpp)
set(violations "")
# The layer of a file of src/: its first folder, or its first two under src/shell.
function(layer_of file out)
  string(REGEX MATCH "^shell/[^/]+/" shell_part "${file}")
  if(shell_part)
    string(REGEX REPLACE "/$" "" result "${shell_part}")
  else()
    string(REGEX MATCH "^[^/]+" result "${file}")
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

foreach(file ${files})
  layer_of(${file} folder)
  if(NOT folder IN_LIST layers)
    if(file MATCHES "/")
      string(APPEND violations "  ${file}: the folder src/${folder} has no place among the layers\n")
    endif()
    continue()
  endif()
  all_below(${folder} allowed)
  list(APPEND allowed ${folder})
  file(STRINGS ${src}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" name "${line}")
    # The file it names: in the including file's folder first, as the compiler looks.
    get_filename_component(dir ${file} DIRECTORY)
    if(EXISTS ${src}/${dir}/${name})
      continue()
    endif()
    set(targets "")
    foreach(candidate ${files})
      if(candidate STREQUAL name OR candidate MATCHES "/${name}$")
        list(APPEND targets ${candidate})
      endif()
    endforeach()
    foreach(target ${targets})
      layer_of(${target} target_folder)
      if(NOT target_folder IN_LIST allowed)
        string(APPEND violations "  src/${file} includes src/${target} (${folder} is not above ${target_folder})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

# The engine's header, wherever a file names it.
file(GLOB_RECURSE outside RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp
     ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/bench/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp)
foreach(file ${outside})
  if(file MATCHES "^(src/interpreter|tests/interpreter|tests/checks|fuzz)/")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*/)?engine\\.h\"")
  if(lines)
    string(APPEND violations "  ${file} includes the engine's header, which is the interpreter's own\n")
  endif()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes across the layers:\n${violations}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: every include follows the layers")
