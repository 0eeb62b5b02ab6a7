# Makes both release zips into a scratch folder and checks what they hold: every file
# of the installed layout, nothing of the developer package in the release one, and
# no build files. Run by CTest with -DBUILD=<build folder> -DSOURCE=<source folder>
# -DVERSION=<version> -DPLAYER=<1 when the test player is built>.
cmake_minimum_required(VERSION 3.20)
set(out ${BUILD}/package-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${out}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()

function(list_zip zip variable)
    if(NOT EXISTS ${zip})
        message(FATAL_ERROR "missing package ${zip}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE entries
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot read ${zip}")
    endif()
    string(REPLACE "\n" ";" entries "${entries}")
    set(${variable} ${entries} PARENT_SCOPE)
endfunction()

function(expect_entries zip entries)
    list_zip(${zip} present)
    foreach(entry ${entries})
        if(NOT entry IN_LIST present)
            message(SEND_ERROR "${zip} lacks ${entry}; it holds: ${present}")
        endif()
    endforeach()
endfunction()

function(expect_no_match zip pattern)
    list_zip(${zip} present)
    foreach(entry ${present})
        if(entry MATCHES "${pattern}")
            message(SEND_ERROR "${zip} should not hold ${entry}")
        endif()
    endforeach()
endfunction()

set(release ${out}/GameShell-${VERSION}-win32.zip)
set(developer ${out}/GameShell-${VERSION}-win32-developer.zip)

# The release holds the program and every asset of the source tree, in their folders.
set(expected GameShell.exe Base64.dll)
file(GLOB_RECURSE assets RELATIVE ${SOURCE}/assets ${SOURCE}/assets/skin/* ${SOURCE}/assets/flash/*)
list(APPEND expected ${assets})
expect_entries(${release} "${expected}")
expect_no_match(${release} "(Lobby|FlashTestPlayer|CMakeLists|\\.a$|_tests)")

set(expected Lobby.exe player/REGISTER.txt)
if(PLAYER)
    list(APPEND expected player/FlashTestPlayer.dll)
endif()
expect_entries(${developer} "${expected}")
expect_no_match(${developer} "(GameShell\\.exe|Base64\\.dll|skin/|flash/)")
file(REMOVE_RECURSE ${out})
