# Lays out the site in SITE beside the module the build wrote there: the
# page's own files, the artwork (1x and @2x), the files the desktop keeps
# beside the program, and precache.js for the service worker; the page's
# security policy gets the hash of its inline style sheet.
#   cmake -DROOT=<source tree> -DSITE=<folder> -P assemble_site.cmake
file(GLOB page ${ROOT}/board/web/site/*)
file(GLOB art ${ROOT}/assets/*.gif ${ROOT}/assets/*.cur ${ROOT}/assets/*.ico)
file(GLOB cards ${ROOT}/assets/cards/*.gif)
file(GLOB sounds ${ROOT}/gamedata/SOUND/*)
file(COPY ${page} ${ROOT}/gamedata/rules.txt ${ROOT}/gamedata/tvk.txt DESTINATION ${SITE})
file(COPY ${art} DESTINATION ${SITE}/assets)
file(COPY ${cards} DESTINATION ${SITE}/assets/cards)
file(COPY ${sounds} DESTINATION ${SITE}/SOUND)
find_program(python python3 REQUIRED)
execute_process(COMMAND ${python} ${ROOT}/board/web/emblem_svg.py ${ROOT}/assets/emblem@2x.ico ${SITE}/assets/emblem.svg
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${python} ${ROOT}/board/web/inline_style_hash.py ${SITE}/index.html
  COMMAND_ERROR_IS_FATAL ANY)

# Every file, and a version made from their contents: a changed file makes
# a new service worker, which fetches the site again.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files precache.js sw.js)
list(SORT files)
set(listed "")
set(hashes "")
foreach(f IN LISTS files)
  file(MD5 ${SITE}/${f} hash)
  string(APPEND hashes "${f}${hash}")
  string(APPEND listed "  \"${f}\",\n")
endforeach()
string(MD5 version "${hashes}")
file(WRITE ${SITE}/precache.js.new
  "self.PRECACHE_VERSION = \"${version}\";\nself.PRECACHE_FILES = [\n  \"./\",\n${listed}];\n")
file(COPY_FILE ${SITE}/precache.js.new ${SITE}/precache.js ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/precache.js.new)
