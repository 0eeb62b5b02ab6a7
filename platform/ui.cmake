# The UI layer: windows, paint manager, skin builder, controls and the markup reader.
target_sources(gs_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ButtonUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ContainerUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogBuilder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HorizontalLayoutUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LabelUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinearLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Markup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupDecode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PaintManagerUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UIAttributes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VerticalLayoutUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowWnd.cpp
)
