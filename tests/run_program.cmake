# Runs one program through vokc-run and compares what it prints with the expected files
# beside it. Missing NAME.out / NAME.err mean "expect nothing"; missing NAME.status means 0.
get_filename_component(dir ${PROGRAM} DIRECTORY)
get_filename_component(name ${PROGRAM} NAME_WE)
set(base ${dir}/${name})
# Examples keep their expected output in the tests folder, not beside the example.
if(DEFINED EXPECTED_DIR)
  set(base ${EXPECTED_DIR}/${name})
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
if(NOT out STREQUAL expected_out)
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
