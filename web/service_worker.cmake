# Writes sw.js from its template: the list of the site's files and a cache
# name taken from their contents.
#   cmake -DSITE=dir -DFILES=a;b -DTEMPLATE=sw.js.in -P service_worker.cmake
set(digests)
set(urls "'./'")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests ${digest})
  string(APPEND urls ", './${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 ZELVO_CACHE_VERSION)
set(ZELVO_CACHED_FILES ${urls})
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
