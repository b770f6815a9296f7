# Fails when a folder of src/ includes a header of a folder that is not below it.
# Layers from the bottom: common <- interpreter <- cli and run; common <- qt_common (the
# Qt helpers) <- editor and run; editor, run, utilities <- shell <- app. A folder may include its own headers and those
# of any folder below it, directly or not. A quoted include is resolved to a file of src/
# by its path's end ("x.h" or "dir/x.h"); includes that name no file of src/ (the
# system's, Qt's, generated ones) are left alone. A new folder of src/ must be given
# its place here before it can include anything.
#   cmake -DSOURCE_DIR=<project root> -P layers.cmake
cmake_minimum_required(VERSION 3.20)

# The folders each folder stands directly on.
set(below_common "")
set(below_interpreter common)
set(below_cli interpreter)
set(below_qt_common common)
set(below_run interpreter qt_common)
set(below_editor common qt_common)
set(below_utilities common)
set(below_shell editor run utilities)
set(below_app shell)
set(layers common interpreter cli qt_common run editor utilities shell app)

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
foreach(file ${files})
  string(REGEX MATCH "^[^/]+" folder "${file}")
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
      string(REGEX MATCH "^[^/]+" target_folder "${target}")
      if(NOT target_folder IN_LIST allowed)
        string(APPEND violations "  src/${file} includes src/${target} (${folder} is not above ${target_folder})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes across the layers:\n${violations}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: every include follows the layers")
