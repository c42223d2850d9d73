# Copies the service worker into the site with its cache VERSION set to a hash of every other
# file of the site: a rebuilt site then replaces what browsers keep offline, and an unchanged
# one keeps it. cmake -DSOURCE=web/sw.js -DSITE=build-web/site -P stamp.cmake
file(GLOB files LIST_DIRECTORIES false ${SITE}/*)
list(REMOVE_ITEM files ${SITE}/sw.js)
list(SORT files)
set(sums "")
foreach(file ${files})
    file(SHA256 ${file} sum)
    string(APPEND sums ${sum})
endforeach()
string(SHA256 sum "${sums}")
string(SUBSTRING ${sum} 0 12 sum)
file(READ ${SOURCE} text)
string(REGEX REPLACE "const VERSION = \"[^\"]*\"" "const VERSION = \"water-${sum}\"" text "${text}")
file(WRITE ${SITE}/sw.js "${text}")
