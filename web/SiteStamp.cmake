# Writes the site's service worker with the list of files it caches (every file of the site
# but the worker itself), and names its cache after their contents: any rebuilt file (the
# core after an engine fix, the page) gives a new worker, which replaces the cached site as
# a whole, never one file of it.
#   cmake -DSITE=<site folder> -DTEMPLATE=<sw.js template> -P SiteStamp.cmake
file(GLOB site_files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM site_files sw.js)
list(SORT site_files)
set(stamp_input "")
set(QUILLMERE_WEB_FILES "'./'")
foreach(file IN LISTS site_files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND stamp_input "${file} ${hash}\n")
  string(APPEND QUILLMERE_WEB_FILES ", '${file}'")
endforeach()
string(SHA256 QUILLMERE_WEB_STAMP "${stamp_input}")
string(SUBSTRING ${QUILLMERE_WEB_STAMP} 0 12 QUILLMERE_WEB_STAMP)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
