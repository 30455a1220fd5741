# The browser edition (web/): a build of its own with Debian's emscripten, configured and
# built as a step of this one, and its test in chromium. Debian's emcc runs its JavaScript
# tools with the installed node, which looks in Debian's module folder only when told.
find_program(QUILLMERE_EMCMAKE emcmake REQUIRED)
find_program(QUILLMERE_NODE node REQUIRED)
set(QUILLMERE_EM_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(QUILLMERE_WEB_SITE ${CMAKE_BINARY_DIR}/web/site)

include(ExternalProject)
ExternalProject_Add(quillmere_web
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/web
  BINARY_DIR ${CMAKE_BINARY_DIR}/web
  CONFIGURE_COMMAND ${QUILLMERE_EM_ENV} ${QUILLMERE_EMCMAKE} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
                    -G ${CMAKE_GENERATOR} -DCMAKE_BUILD_TYPE=Release
                    -DQUILLMERE_VERSION=${PROJECT_VERSION} -DQUILLMERE_WERROR=${QUILLMERE_WERROR}
  BUILD_COMMAND ${QUILLMERE_EM_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR>
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

install(DIRECTORY ${QUILLMERE_WEB_SITE}/ DESTINATION usr/share/quillmere/web
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Needs web/test's node modules (npm ci there; ./test does it) and Debian's chromium.
add_test(NAME web_page_tests
         COMMAND ${QUILLMERE_NODE} ${CMAKE_SOURCE_DIR}/web/test/page_test.mjs ${QUILLMERE_WEB_SITE}
                 ${CMAKE_BINARY_DIR}/tests ${CMAKE_SOURCE_DIR}/tests)
# Alone on the machine: the page's first result is timed.
set_tests_properties(web_page_tests PROPERTIES TIMEOUT 900 FIXTURES_REQUIRED window_texts RUN_SERIAL TRUE
                     ENVIRONMENT "QUILLMERE_CMAKE=${CMAKE_COMMAND};QUILLMERE_CALC=$<TARGET_FILE:quillmere-calc>")
