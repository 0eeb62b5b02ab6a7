# The release packages, made by `cmake --build <build> --target package` (CPack, ZIP):
#   GameShell-<version>-win32.zip            the program as installed: GameShell.exe,
#                                            Base64.dll, skin\, flash\
#   GameShell-<version>-win32-developer.zip  the test player (player\) with how to
#                                            register it, and Lobby.exe; laid out to be
#                                            unpacked over the first
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

# Each part ships once it exists in the tree; the package never needs all of them.
function(gs_install_target target destination component)
    if(TARGET ${target})
        install(FILES $<TARGET_FILE:${target}> DESTINATION ${destination} COMPONENT ${component})
    endif()
endfunction()

gs_install_target(GameShell . runtime)
gs_install_target(Base64 . runtime)
foreach(folder skin flash)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/assets/${folder})
        install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/${folder}/ DESTINATION ${folder}
                COMPONENT runtime PATTERN CMakeLists.txt EXCLUDE)
    endif()
endforeach()

gs_install_target(FlashTestPlayer player developer)
install(FILES ${CMAKE_SOURCE_DIR}/tools/player-registration.txt DESTINATION player
        RENAME REGISTER.txt COMPONENT developer)
gs_install_target(Lobby . developer)

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
