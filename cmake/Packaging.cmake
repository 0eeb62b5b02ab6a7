# The release packages, made by `cmake --build <build> --target package` (CPack, ZIP):
#   GameShell-<version>-win32.zip            the program as installed: GameShell.exe,
#                                            Base64.dll, skin\, and flash\ with a note on
#                                            where the game's movie goes
#   GameShell-<version>-win32-developer.zip  for game and lobby developers: the test
#                                            player (player\) with how to register it, its
#                                            movie scripts (flash\), Lobby.exe, the guides
#                                            (docs\) and the lobby header (include\); laid
#                                            out to be unpacked over the first
# Shipped binaries carry no debug sections: each is a stripped copy in release/ whose
# symbols stay in the build as symbols/<file>.debug (named by its .gnu_debuglink, for
# reading a crash's addresses). The staged binaries that the tests run keep theirs.
# Also gives GameShell.exe its version resource and application manifest.

set(GS_PACKAGE_NAME GameShell-${PROJECT_VERSION}-win32)

if(TARGET GameShell)
    target_sources(GameShell PRIVATE ${CMAKE_SOURCE_DIR}/shell/GameShell.rc)
    target_compile_definitions(GameShell PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:GS_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}>
        $<$<COMPILE_LANGUAGE:RC>:GS_VERSION_MINOR=${PROJECT_VERSION_MINOR}>
        $<$<COMPILE_LANGUAGE:RC>:GS_VERSION_PATCH=${PROJECT_VERSION_PATCH}>)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/shell/GameShell.rc TARGET_DIRECTORY GameShell
                 APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/shell/GameShell.manifest)
endif()

set(GS_RELEASE_BINARIES ${CMAKE_BINARY_DIR}/release)
set(GS_SYMBOLS ${CMAKE_BINARY_DIR}/symbols)
add_custom_target(gs_release_binaries ALL)

# Each part ships once it exists in the tree; the package never needs all of them.
function(gs_install_target target name destination component)
    if(NOT TARGET ${target})
        return()
    endif()
    add_custom_command(
        OUTPUT ${GS_RELEASE_BINARIES}/${name} ${GS_SYMBOLS}/${name}.debug
        COMMAND ${CMAKE_COMMAND} -E make_directory ${GS_RELEASE_BINARIES} ${GS_SYMBOLS}
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${GS_SYMBOLS}/${name}.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${GS_SYMBOLS}/${name}.debug
                $<TARGET_FILE:${target}> ${GS_RELEASE_BINARIES}/${name}
        DEPENDS ${target}
        COMMENT "Stripping ${target} for shipping")
    add_custom_target(gs_release_${target} DEPENDS ${GS_RELEASE_BINARIES}/${name})
    add_dependencies(gs_release_binaries gs_release_${target})
    install(FILES ${GS_RELEASE_BINARIES}/${name} DESTINATION ${destination} COMPONENT ${component})
endfunction()

gs_install_target(GameShell GameShell.exe . runtime)
gs_install_target(Base64 Base64.dll . runtime)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/skin/ DESTINATION skin COMPONENT runtime)
install(FILES ${CMAKE_SOURCE_DIR}/assets/flash/README.txt DESTINATION flash COMPONENT runtime)

gs_install_target(FlashTestPlayer FlashTestPlayer.dll player developer)
install(FILES ${CMAKE_SOURCE_DIR}/tools/player-registration.txt DESTINATION player
        RENAME REGISTER.txt COMPONENT developer)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/flash/ DESTINATION flash COMPONENT developer
        FILES_MATCHING PATTERN "*.swf")
gs_install_target(Lobby Lobby.exe . developer)
install(FILES ${CMAKE_SOURCE_DIR}/docs/movie-api.md ${CMAKE_SOURCE_DIR}/docs/lobby-api.md
              ${CMAKE_SOURCE_DIR}/docs/movie-script.md
        DESTINATION docs COMPONENT developer)
install(FILES ${CMAKE_SOURCE_DIR}/include/gameshell/LaunchBlocks.h DESTINATION include/gameshell
        COMPONENT developer)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME GameShell)
set(CPACK_PACKAGE_VENDOR "GameShell developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win32)
set(CPACK_PACKAGE_FILE_NAME ${GS_PACKAGE_NAME})
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime developer)
set(CPACK_ARCHIVE_RUNTIME_FILE_NAME ${GS_PACKAGE_NAME})
set(CPACK_ARCHIVE_DEVELOPER_FILE_NAME ${GS_PACKAGE_NAME}-developer)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
