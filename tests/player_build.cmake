# Configures the game in a scratch folder with the options run.sh gives its
# build/ folder, and fails when that configuration would build the benchmark:
# a player's first start builds only what a player needs.
#   cmake -DSOURCE=<source folder> -DSCRATCH=<scratch folder> -P player_build.cmake
file(READ ${SOURCE}/run.sh run_sh)
if(NOT run_sh MATCHES "cmake -S \\. -B build ([^>\n]*)")
    message(FATAL_ERROR "run.sh configures no build/ folder the way this check reads it")
endif()
separate_arguments(options UNIX_COMMAND "${CMAKE_MATCH_1}")
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${SCRATCH} ${options}
                RESULT_VARIABLE failed OUTPUT_QUIET)
# Every subdirectory a configuration adds leaves its folder in the build tree.
if(failed OR NOT EXISTS ${SCRATCH}/tools/makepics)
    message(FATAL_ERROR "run.sh's configuration failed")
endif()
if(EXISTS ${SCRATCH}/bench)
    message(FATAL_ERROR "run.sh's configuration builds the benchmark")
endif()
file(REMOVE_RECURSE ${SCRATCH})
