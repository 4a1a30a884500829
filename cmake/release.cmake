# The release archive: the executable, the user guides (Chinese and English), the licence and the
# screenshot, packed the same way every time by scripts/make-archive.py. The texts are for Notepad
# on Windows 7: UTF-8 with a byte order mark (carried by the guides' sources) and CRLF line ends.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(RELEASE_NAME personal-wifi-${PROJECT_VERSION}-win32)
set(RELEASE_DIR ${CMAKE_BINARY_DIR}/release/${RELEASE_NAME})
set(RELEASE_ARCHIVE ${CMAKE_BINARY_DIR}/release/${RELEASE_NAME}.zip)

configure_file(docs/使用说明.txt.in ${RELEASE_DIR}/使用说明.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(docs/user-guide.txt.in ${RELEASE_DIR}/user-guide.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${RELEASE_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

add_custom_command(OUTPUT ${RELEASE_ARCHIVE}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:personal-wifi> ${PROJECT_SOURCE_DIR}/docs/screenshot.png
            ${RELEASE_DIR}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-archive.py ${RELEASE_DIR} ${RELEASE_ARCHIVE}
    DEPENDS personal-wifi docs/screenshot.png scripts/make-archive.py
            ${RELEASE_DIR}/使用说明.txt ${RELEASE_DIR}/user-guide.txt ${RELEASE_DIR}/LICENSE.txt
    VERBATIM)
add_custom_target(release_archive DEPENDS ${RELEASE_ARCHIVE})
