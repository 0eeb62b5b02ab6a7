# Makes both release zips into a scratch folder and checks them as a user receives them:
# each holds exactly its files, and every shipped binary is stripped of its debug
# sections, which stay beside the build. Run by CTest with -DBUILD=<build folder>
# -DSOURCE=<source folder> -DVERSION=<version> -DPLAYER=<1 when the test player is built>
# -DOBJDUMP=<the cross objdump>.
cmake_minimum_required(VERSION 3.20)
set(out ${BUILD}/package-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${out}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()

# The zip's files (folders left out), unpacked into <out>/<name>.
function(unpack_zip zip name variable)
    if(NOT EXISTS ${zip})
        message(FATAL_ERROR "missing package ${zip}")
    endif()
    file(MAKE_DIRECTORY ${out}/${name})
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${out}/${name}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot unpack ${zip}")
    endif()
    file(GLOB_RECURSE files RELATIVE ${out}/${name} ${out}/${name}/*)
    list(SORT files)
    set(${variable} ${files} PARENT_SCOPE)
endfunction()

function(expect_exactly zip name expected)
    unpack_zip(${zip} ${name} present)
    list(SORT expected)
    if(NOT "${present}" STREQUAL "${expected}")
        message(SEND_ERROR "${zip} holds\n  ${present}\ninstead of\n  ${expected}")
    endif()
endfunction()

# No .debug_* section; a debug link to the symbols kept in the build.
function(expect_stripped binary)
    get_filename_component(name ${binary} NAME)
    execute_process(COMMAND ${OBJDUMP} -h ${binary} OUTPUT_VARIABLE sections RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR sections MATCHES "\\.debug_" OR NOT sections MATCHES "\\.gnu_debuglink")
        message(SEND_ERROR "${name} is not shipped stripped with a debug link:\n${sections}")
    endif()
    execute_process(COMMAND ${OBJDUMP} -h ${BUILD}/symbols/${name}.debug OUTPUT_VARIABLE symbols)
    if(NOT symbols MATCHES "\\.debug_info")
        message(SEND_ERROR "no symbols of ${name} beside the build")
    endif()
endfunction()

set(release ${out}/GameShell-${VERSION}-win32.zip)
set(developer ${out}/GameShell-${VERSION}-win32-developer.zip)

# The program and its skin; flash\ holds only the note on where the game's movie goes.
file(GLOB skin RELATIVE ${SOURCE}/assets ${SOURCE}/assets/skin/*)
expect_exactly(${release} release "GameShell.exe;Base64.dll;${skin};flash/README.txt")

# The released program is large-address-aware: the flag in its PE file header.
function(little_endian file offset bytes variable)
    file(READ ${file} hex OFFSET ${offset} LIMIT ${bytes} HEX)
    set(value "")
    math(EXPR last "${bytes} - 1")
    foreach(at RANGE ${last})
        math(EXPR from "2 * ${at}")
        string(SUBSTRING ${hex} ${from} 2 byte)
        set(value "${byte}${value}")
    endforeach()
    math(EXPR value "0x${value}")
    set(${variable} ${value} PARENT_SCOPE)
endfunction()
set(program ${out}/release/GameShell.exe)
little_endian(${program} 60 4 headerAt)
math(EXPR characteristicsAt "${headerAt} + 22")
little_endian(${program} ${characteristicsAt} 2 characteristics)
math(EXPR largeAddressAware "${characteristics} & 0x20")
if(NOT largeAddressAware)
    message(SEND_ERROR "GameShell.exe is not large-address-aware (characteristics ${characteristics})")
endif()

# What game and lobby developers need, and the test player's movie scripts.
file(GLOB scripts RELATIVE ${SOURCE}/assets ${SOURCE}/assets/flash/*.swf)
set(expected Lobby.exe player/REGISTER.txt ${scripts} docs/movie-api.md docs/lobby-api.md
             docs/movie-script.md include/gameshell/LaunchBlocks.h)
if(PLAYER)
    list(APPEND expected player/FlashTestPlayer.dll)
endif()
expect_exactly(${developer} developer "${expected}")

file(GLOB_RECURSE binaries ${out}/release/*.exe ${out}/release/*.dll ${out}/developer/*.exe
     ${out}/developer/*.dll)
foreach(binary ${binaries})
    expect_stripped(${binary})
endforeach()
# The codec carries its own code and tables, not the C++ runtime's exception machinery.
file(SIZE ${out}/release/Base64.dll codec_bytes)
if(codec_bytes GREATER 65536)
    message(SEND_ERROR "Base64.dll ships ${codec_bytes} bytes")
endif()
file(REMOVE_RECURSE ${out})
