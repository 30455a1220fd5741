# Writes the site's service worker with the list of files it caches, and names its cache
# after their contents: any rebuilt file (the core after an engine fix, the page) gives a
# new worker, which replaces the cached site as a whole, never one file of it.
#   cmake -DSITE=<site folder> -DTEMPLATE=<sw.js template> -P SiteStamp.cmake
set(SITE_FILES index.html quillmere_core.js quillmere_core.wasm manifest.webmanifest icon.svg
    icon-192.png icon-512.png)
set(stamp_input "")
set(QUILLMERE_WEB_FILES "'./'")
foreach(file IN LISTS SITE_FILES)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND stamp_input "${file} ${hash}\n")
  string(APPEND QUILLMERE_WEB_FILES ", '${file}'")
endforeach()
string(SHA256 QUILLMERE_WEB_STAMP "${stamp_input}")
string(SUBSTRING ${QUILLMERE_WEB_STAMP} 0 12 QUILLMERE_WEB_STAMP)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
