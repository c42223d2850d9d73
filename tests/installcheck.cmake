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

foreach(file
        usr/bin/water-proportion
        usr/share/applications/${app}.desktop
        usr/share/icons/hicolor/scalable/apps/${app}.svg
        usr/share/metainfo/${app}.metainfo.xml)
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
foreach(line "Exec=water-proportion" "Icon=${app}" "Categories=Education;Math;" "Name[ja]=")
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
message(STATUS "installed tree and package are complete; depends: ${depends}")
