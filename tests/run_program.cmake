# Runs one program through vokc-run and compares what it prints with the expected files
# beside it (or in EXPECTED_DIR):
#   NAME.out    expected standard output (exact), or
#   NAME.outre  one regular expression per expected output line (date, time, chance),
#   NAME.err    expected messages, NAME.status expected exit status,
#   NAME.in     standard input, NAME.args extra options (one per line).
# Missing NAME.out / NAME.err mean "expect nothing"; missing NAME.status means 0. With
# REQUIRE_EXPECTED, a program with neither .out, .outre nor .err has never been checked:
# it fails.
get_filename_component(dir ${PROGRAM} DIRECTORY)
get_filename_component(name ${PROGRAM} NAME_WE)
set(base ${dir}/${name})
# Examples keep their expected output in the tests folder, not beside the example.
if(DEFINED EXPECTED_DIR)
  set(base ${EXPECTED_DIR}/${name})
endif()
if(REQUIRE_EXPECTED AND NOT EXISTS ${base}.out AND NOT EXISTS ${base}.outre AND NOT EXISTS ${base}.err)
  message(FATAL_ERROR "${name}: aucun résultat attendu pour ${base}")
endif()

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})

set(args --decimal-separator ,)
if(EXISTS ${base}.args)
  file(STRINGS ${base}.args extra)
  list(APPEND args ${extra})
endif()
set(input_file /dev/null)
if(EXISTS ${base}.in)
  set(input_file ${base}.in)
endif()

execute_process(COMMAND ${RUNNER} ${args} ${PROGRAM}
                WORKING_DIRECTORY ${WORKDIR}
                INPUT_FILE ${input_file}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
                TIMEOUT 60)

# Messages name the program by the path given on the command line: compare by base name.
string(REPLACE "${PROGRAM}:" "${name}.c:" err "${err}")

set(expected_out "")
set(expected_err "")
set(expected_status 0)
if(EXISTS ${base}.out)
  file(READ ${base}.out expected_out)
endif()
if(EXISTS ${base}.err)
  file(READ ${base}.err expected_err)
endif()
if(EXISTS ${base}.status)
  file(STRINGS ${base}.status expected_status LIMIT_COUNT 1)
endif()

set(failed FALSE)
if(EXISTS ${base}.outre)
  # Line by line; the outputs checked this way hold no semicolon.
  file(STRINGS ${base}.outre patterns)
  string(REGEX REPLACE "\n$" "" trimmed "${out}")
  string(REPLACE "\n" ";" lines "${trimmed}")
  list(LENGTH patterns npatterns)
  list(LENGTH lines nlines)
  if(NOT out MATCHES "\n$" OR NOT npatterns EQUAL nlines)
    message("--- ${npatterns} lignes attendues, obtenu :\n${out}---")
    set(failed TRUE)
  else()
    foreach(pattern line IN ZIP_LISTS patterns lines)
      if(NOT line MATCHES "^${pattern}$")
        message("--- la ligne « ${line} » ne correspond pas à ${pattern}")
        set(failed TRUE)
      endif()
    endforeach()
  endif()
elseif(NOT out STREQUAL expected_out)
  message("--- stdout attendu:\n${expected_out}--- stdout obtenu:\n${out}---")
  set(failed TRUE)
endif()
if(NOT err STREQUAL expected_err)
  message("--- stderr attendu:\n${expected_err}--- stderr obtenu:\n${err}---")
  set(failed TRUE)
endif()
if(NOT status STREQUAL expected_status)
  message("--- statut attendu ${expected_status}, obtenu ${status}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${name}: sortie différente de l'attendu")
endif()
