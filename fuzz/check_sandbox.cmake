# Fails when LIBRARY calls a file-system function that is not in WRAPPED (a comma list):
# the interpreter fuzzer would then let fuzzed programs reach files outside its scratch
# directory.
cmake_policy(VERSION 3.20)
execute_process(COMMAND ${NM} -u ${LIBRARY} OUTPUT_VARIABLE undefined RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm a échoué sur ${LIBRARY}")
endif()
string(REPLACE "," ";" wrapped "${WRAPPED}")
string(REGEX MATCHALL "U [^\n]+" lines "${undefined}")
set(unwrapped "")
foreach(line ${lines})
  string(SUBSTRING "${line}" 2 -1 symbol)
  # std::filesystem functions other than those of the path class, file streams, and the C
  # library's calls that open, create, remove, rename or change directories.
  # Reading the current folder (current_path's getter, which the hint of a failed fopen
  # names) changes nothing and is left unwrapped.
  if(symbol MATCHES "^_ZN(K)?St10filesystem" AND NOT symbol MATCHES "^_ZN(K)?St10filesystem7__cxx114path"
     AND NOT symbol MATCHES "^_ZNSt10filesystem12current_pathB5cxx11Ev$|^_ZNSt10filesystem12current_pathB5cxx11ERSt10error_code$")
    set(fs TRUE)
  elseif(symbol MATCHES "basic_(i|o)?fstream|basic_filebuf")
    set(fs TRUE)
  elseif(symbol MATCHES "^(fopen|fopen64|freopen|freopen64|open|open64|openat|openat64|creat|creat64|mkdir|mkdirat|rmdir|chdir|fchdir|remove|rename|renameat|renameat2|unlink|unlinkat|truncate|truncate64|opendir|symlink|link|linkat|chmod|chown|popen|system|execv|execvp|execve|mkfifo|mknod|tmpfile|tmpnam|mkstemp|mkdtemp)$")
    set(fs TRUE)
  else()
    set(fs FALSE)
  endif()
  if(fs AND NOT symbol IN_LIST wrapped)
    list(APPEND unwrapped ${symbol})
  endif()
endforeach()
if(unwrapped)
  list(REMOVE_DUPLICATES unwrapped)
  message(FATAL_ERROR "Appels au système de fichiers sans garde dans le fuzzer : ${unwrapped}\n"
                      "Ajoutez-les à VOKC_WRAPPED (fuzz/CMakeLists.txt) et à fuzz/sandbox.cpp.")
endif()
