# The ActiveX host and the Flash control of the UI layer.
target_sources(gs_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ActiveXFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActiveXSite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ActiveXUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FlashEventSink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FlashUI.cpp
)
