# The include rule of the layers, checked against the build's own compile commands: from a
# source of each layer, a header of every folder the layer may use must compile, and a header
# of every other folder must not be found at all.
#   cmake -DBUILD=<build folder> -DLAYERS=<layer,layer...> -DSOURCE=<src folder>
#         -DWORK=<scratch folder> -P check_layers.cmake
# LAYERS names the layers this build compiles, each with a list below.

cmake_minimum_required(VERSION 3.25)

# Bottom up: each layer uses only the folders listed after it.
set(allowed_lang ports lang)
set(allowed_scores ports lang scores)
set(allowed_game ports lang scores game)
set(allowed_form ports lang scores game form)
set(allowed_platform ports platform)
set(allowed_platform/linux ports platform)
set(allowed_platform/windows ports platform)
# A front end's main() alone brings in its system's adapters.
set(allowed_frontend/qt ports lang scores game form frontend/qt)
# The Windows front end also shares the Windows adapters' text conversion.
set(allowed_frontend/win32 ports lang scores game form platform frontend/win32)
string(REPLACE "," ";" layers "${LAYERS}")
set(folders ports lang scores game form platform frontend/qt frontend/win32)

file(READ ${BUILD}/compile_commands.json commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")

# The compile command of the first source (by name) of a layer's own folder.
function(command_of layer out)
  set(best "")
  foreach(i RANGE ${last})
    string(JSON file GET "${commands}" ${i} file)
    get_filename_component(folder ${file} DIRECTORY)
    if(folder STREQUAL "${SOURCE}/${layer}" AND file MATCHES "\\.cpp$"
       AND NOT file MATCHES "/main\\.cpp$" AND (best STREQUAL "" OR file STRLESS best_file))
      set(best_file ${file})
      string(JSON best GET "${commands}" ${i} command)
    endif()
  endforeach()
  if(best STREQUAL "")
    message(FATAL_ERROR "no compile command for a source of src/${layer}")
  endif()
  # The same flags and include path, checking syntax only, on a probe instead of the source.
  separate_arguments(argv UNIX_COMMAND "${best}")
  set(probe_argv)
  set(skip FALSE)
  foreach(arg ${argv})
    if(skip)
      set(skip FALSE)
    elseif(arg STREQUAL "-o" OR arg STREQUAL "-c")
      set(skip TRUE)
    elseif(NOT arg MATCHES "^-M[DFT]")
      list(APPEND probe_argv ${arg})
    endif()
  endforeach()
  set(${out} ${probe_argv} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${WORK})
set(failures)
foreach(layer ${layers})
  command_of(${layer} argv)
  foreach(folder ${folders})
    file(GLOB headers RELATIVE ${SOURCE} ${SOURCE}/${folder}/*.h)
    list(SORT headers)
    list(GET headers 0 header)
    string(MAKE_C_IDENTIFIER "${layer}_${folder}" name)
    set(probe ${WORK}/${name}.cpp)
    file(WRITE ${probe} "#include \"${header}\"\n")
    execute_process(COMMAND ${argv} -fsyntax-only ${probe}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(folder IN_LIST allowed_${layer})
      if(NOT result EQUAL 0)
        list(APPEND failures "src/${layer} cannot use ${header}:\n${output}")
      endif()
    elseif(result EQUAL 0)
      list(APPEND failures "src/${layer} can include ${header}, from a layer it must not use")
    elseif(NOT output MATCHES "No such file")
      list(APPEND failures "src/${layer} including ${header} failed for another reason:\n${output}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
