# A libFuzzer target for the best-score file reader. libFuzzer comes with clang, while the
# rest builds with the default compiler, so clang compiles the Qt-free scores and lang
# sources here directly. The test fuzzes for a bounded time and fails on any fault; the
# inputs it finds are kept under the build folder for the next run (see README).
if(NOT TOLVOS_TESTS OR CMAKE_CROSSCOMPILING)  # the fuzzer runs on the build machine
  return()
endif()
find_program(TOLVOS_CLANGXX NAMES clang++)
if(NOT TOLVOS_CLANGXX)
  message(STATUS "clang++ not found: no best-score file fuzzer")
  return()
endif()

set(fuzz_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
set(fuzz_flags -std=c++20 -g -O1 -fno-omit-frame-pointer -Wall -Wextra -Wshadow
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
file(GLOB fuzz_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/src/scores/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/src/lang/*.cpp)
list(APPEND fuzz_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/best_scores_fuzz.cpp)

set(fuzz_objects)
foreach(source ${fuzz_sources})
  file(RELATIVE_PATH name ${CMAKE_CURRENT_SOURCE_DIR} ${source})
  string(REPLACE "/" "_" name ${name})
  set(object ${fuzz_dir}/${name}.o)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${TOLVOS_CLANGXX} ${fuzz_flags} -I${CMAKE_BINARY_DIR}/views/scores
            -I${CMAKE_CURRENT_SOURCE_DIR}/tests -MD -MF ${object}.d -c ${source} -o ${object}
    DEPENDS ${source}
    DEPFILE ${object}.d
    COMMENT "Compiling ${name} for the fuzzer"
    VERBATIM)
  list(APPEND fuzz_objects ${object})
endforeach()

add_custom_command(
  OUTPUT ${fuzz_dir}/best_scores_fuzz
  COMMAND ${TOLVOS_CLANGXX} ${fuzz_flags} ${fuzz_objects} -o ${fuzz_dir}/best_scores_fuzz
  DEPENDS ${fuzz_objects}
  COMMENT "Linking the best-score file fuzzer"
  VERBATIM)
add_custom_target(best_scores_fuzz ALL DEPENDS ${fuzz_dir}/best_scores_fuzz)

# The fuzzer grows its inputs slowly from small seeds and would not reach the reader's 64 KiB
# line bound within a run: one seed lies past it, the default table behind a first name of
# 70,000 letters ("a", 17 codes down), and inputs may be twice the bound long.
set(fuzz_seeds ${fuzz_dir}/seeds)
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/default.dat default_table)
string(STRIP "${default_table}" default_table)  # file(READ) keeps the LF, not the CR
string(REPEAT "P" 70000 long_name)
string(ASCII 13 10 line_end)
file(WRITE ${fuzz_seeds}/past_line_bound.dat "${long_name}${default_table}${line_end}")

# New inputs go to the first folder; the seeds are only read.
file(MAKE_DIRECTORY ${fuzz_dir}/corpus)
add_test(NAME best_scores_fuzz
         COMMAND ${fuzz_dir}/best_scores_fuzz -max_total_time=30 -max_len=131072
                 -print_final_stats=1 -artifact_prefix=${fuzz_dir}/
                 -dict=${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/punt.dict
                 ${fuzz_dir}/corpus ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus ${fuzz_seeds})
set_tests_properties(best_scores_fuzz PROPERTIES TIMEOUT 300
                     ENVIRONMENT BEST_SCORES_FUZZ_PAST_BOUND=1)
