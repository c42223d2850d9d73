# Installs the build into a scratch folder and checks what a desktop would use, then builds
# the Debian package and checks what it brings along.
# cmake -DBUILD_DIR=... -DSCRATCH=... -P installcheck.cmake

set(app io.github.quorvel.WaterProportion)
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${SCRATCH}/usr"
    RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed")
endif()

set(icons usr/share/icons/hicolor/scalable/apps/${app}.svg)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND icons usr/share/icons/hicolor/${size}x${size}/apps/${app}.png)
endforeach()
foreach(file
        usr/bin/water-proportion
        usr/share/applications/${app}.desktop
        ${icons}
        usr/share/metainfo/${app}.metainfo.xml
        usr/share/man/man1/water-proportion.1.gz
        usr/share/doc/water-proportion/copyright
        usr/share/doc/water-proportion/changelog.gz)
    if(NOT EXISTS "${SCRATCH}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

execute_process(COMMAND desktop-file-validate "${SCRATCH}/usr/share/applications/${app}.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop entry: ${out}")
endif()
file(READ "${SCRATCH}/usr/share/applications/${app}.desktop" entry)
foreach(line "Exec=water-proportion" "Icon=${app}" "Categories=Education;Math;" "Name[ja]="
        "StartupWMClass=water-proportion")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks ${line}")
    endif()
endforeach()

execute_process(COMMAND appstreamcli validate --no-net
        "${SCRATCH}/usr/share/metainfo/${app}.metainfo.xml"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "metainfo: ${out}")
endif()

# The installed program's window on an X server: the lesson's icon, not none (a dock would
# show a generic one), and the window class the menu entry names, so docks match the two. The
# program keeps its window's place in the scratch folder, not in the user's settings.
set(probe [=[
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$2" "$1" 2>/dev/null & app=$!
for i in $(seq 1 100); do
    id=$(xwininfo -root -children | awk '/\("water-proportion"/ { print $1; exit }')
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "$id" ] && xprop -id "$id" WM_CLASS && xprop -id "$id" -notype 32c _NET_WM_ICON
kill $app
]=])
# xvfb-run picks a free display by looking, racing other servers started at the same moment:
# a server that failed to start is tried again.
foreach(attempt 1 2 3)
    execute_process(COMMAND xvfb-run --auto-servernum sh -c "${probe}" probe
            "${SCRATCH}/usr/bin/water-proportion" "${SCRATCH}/config"
        OUTPUT_VARIABLE window ERROR_VARIABLE window TIMEOUT 60)
    if(window MATCHES "WM_CLASS")
        break()
    endif()
endforeach()
string(SUBSTRING "${window}" 0 300 shown)
if(NOT window MATCHES [[WM_CLASS\(STRING\) = "water-proportion", "water-proportion"]])
    message(FATAL_ERROR "window class is not the menu entry's StartupWMClass: ${shown}")
endif()
# _NET_WM_ICON holds width, height, then ARGB pixels; 4278222848 is the icon's green, ff008000.
if(NOT window MATCHES "_NET_WM_ICON = [1-9][0-9]*, [1-9][0-9]*, [0-9, ]*4278222848")
    message(FATAL_ERROR "the window does not show the lesson's icon: ${shown}")
endif()

# The package: its dependencies must bring Qt's widgets, a platform plugin and the font.
execute_process(COMMAND cpack -G DEB -B "${SCRATCH}/package"
    WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack: ${out}")
endif()
file(GLOB debs "${SCRATCH}/package/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
foreach(needed libqt6widgets6 qt6-qpa-plugins fonts-ipafont-gothic)
    string(FIND "${depends}" "${needed}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "package does not depend on ${needed}: ${depends}")
    endif()
endforeach()
execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE contents)
foreach(file ./usr/bin/water-proportion ./usr/share/applications/${app}.desktop)
    string(FIND "${contents}" "${file}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "package lacks ${file}")
    endif()
endforeach()

# Debian's own checks: an error or a warning fails. Warnings (a missing manual page, say) are
# faults a user of the package meets too, and Debian 12 keeps its lintian's tags fixed.
execute_process(COMMAND lintian --fail-on error,warning --info ${debs}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lintian: ${out}${err}")
endif()
message(STATUS "installed tree and package are complete; depends: ${depends}")
if(NOT out STREQUAL "")
    message(STATUS "lintian notes: ${out}")
endif()
