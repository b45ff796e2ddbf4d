cmake_minimum_required(VERSION 3.25)
# Installs the library into a scratch prefix and builds and runs hosts that consume it through
# the CMake packages and pkg-config. A Qt 6 build also installs a Qt 5 build into the same
# prefix first: neither may overwrite a file of the other, and each host must get its own.
#
# BUILD_DIR, QT_MAJOR_VERSION, CONFIG, VERSION, LIBDIR: the build under test and its install.
# QT5_BUILD_DIR (Qt 6 builds): the Qt 5 build to install beside it; with MAKE_QT5_BUILD it is
# configured from SOURCE_DIR and built here (library only), and kept for the next run.
# CONSUMER_DIR, WORK_DIR, GENERATOR, LAUNCHER: the host project, a scratch directory, and how
# to build.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
string(REGEX MATCH "^[0-9]+" major ${VERSION})
math(EXPR next "${major} + 1")
set(build_args -G ${GENERATOR} -DCMAKE_BUILD_TYPE=${CONFIG})
if(LAUNCHER)
    list(APPEND build_args -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(rc)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
endfunction()

# Installs a build into the prefix and fails if it replaces a file another build installed.
set(installed "")
function(install_build dir)
    run("install of ${dir}" ${CMAKE_COMMAND} --install ${dir} --prefix ${prefix} --config ${CONFIG})
    file(STRINGS ${dir}/install_manifest.txt files)
    foreach(file IN LISTS files)
        if(file IN_LIST installed)
            message(FATAL_ERROR "${dir} overwrote ${file}, which another build installed")
        endif()
    endforeach()
    set(installed ${installed} ${files} PARENT_SCOPE)
endfunction()

# Configures, builds and runs the host, which must run on the library of Qt `qt`.
function(consume name qt)
    set(dir ${WORK_DIR}/${name})
    run("${name}: configure" ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/${LIBDIR}/pkgconfig
        ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${dir} ${build_args} -DCMAKE_PREFIX_PATH=${prefix}
        -DEXPECTED_VERSION=${VERSION} -DEXPECTED_QT_MAJOR=${qt}
        -DEXPECTED_LIBRARY=${prefix}/${LIBDIR}/libCorvaneWidgetsQt${qt}.so.${major} ${ARGN})
    run("${name}: build" ${CMAKE_COMMAND} --build ${dir})
    run("${name}: run" ${dir}/consumer)
endfunction()

# The host's configuration must fail because the package refuses the version asked for.
function(refuse name)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/${name}
                            ${build_args} -DCMAKE_PREFIX_PATH=${prefix}
                            -DEXPECTED_VERSION=${VERSION} ${ARGN}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc OR NOT out MATCHES "compatible with requested version")
        message(FATAL_ERROR "${name}: the package did not refuse ${ARGN}:\n${out}")
    endif()
endfunction()

# The pkg-config module of Qt `qt`: its version, and a refusal of the next major.
function(check_pkgconfig qt)
    set(pkgconfig ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/${LIBDIR}/pkgconfig pkg-config)
    execute_process(COMMAND ${pkgconfig} --modversion CorvaneWidgetsQt${qt}
                    OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT version STREQUAL VERSION)
        message(FATAL_ERROR "pkg-config CorvaneWidgetsQt${qt}: version '${version}'")
    endif()
    execute_process(COMMAND ${pkgconfig} --exists "CorvaneWidgetsQt${qt} >= ${next}"
                    RESULT_VARIABLE rc)
    if(NOT rc)
        message(FATAL_ERROR "pkg-config CorvaneWidgetsQt${qt} claims version ${next}")
    endif()
endfunction()

set(majors ${QT_MAJOR_VERSION})
if(QT5_BUILD_DIR)
    if(MAKE_QT5_BUILD AND NOT EXISTS ${QT5_BUILD_DIR}/CMakeCache.txt)
        run("Qt 5 build: configure" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${QT5_BUILD_DIR}
            ${build_args} -DQT_MAJOR_VERSION=5 -DBUILD_TESTING=OFF -DCORVANE_BUILD_EXAMPLES=OFF
            -DCORVANE_BUILD_BENCHMARKS=OFF)
    endif()
    if(MAKE_QT5_BUILD)
        run("Qt 5 build" ${CMAKE_COMMAND} --build ${QT5_BUILD_DIR} -j 2)
    endif()
    install_build(${QT5_BUILD_DIR})
    list(APPEND majors 5)
endif()
install_build(${BUILD_DIR})

foreach(qt IN LISTS majors)
    set(package CorvaneWidgetsQt${qt})
    foreach(file ${LIBDIR}/lib${package}.so ${LIBDIR}/lib${package}.so.${major}
            ${LIBDIR}/lib${package}.so.${VERSION} include/${package}/corvane/CorvaneWidgets.h)
        if(NOT EXISTS ${prefix}/${file})
            message(FATAL_ERROR "not installed: ${file}")
        endif()
    endforeach()
    consume(qt${qt}-cmake ${qt} -DASK_PACKAGE=${package} -DASK_VERSION=${major}.0)
    consume(qt${qt}-pkgconfig ${qt} -DWITH_PKGCONFIG=ON -DASK_PACKAGE=${package}
        -DASK_VERSION=${VERSION})
    check_pkgconfig(${qt})
    refuse(qt${qt}-next-major -DASK_PACKAGE=${package} -DASK_VERSION=${next}.0)
    if(major GREATER 0)
        math(EXPR previous "${major} - 1")
        refuse(qt${qt}-previous-major -DASK_PACKAGE=${package} -DASK_VERSION=${previous}.9)
    endif()
endforeach()

# A Qt 6 build is the default one: the package without a Qt major finds it.
if(QT_MAJOR_VERSION EQUAL 6)
    consume(default-cmake 6 -DASK_PACKAGE=CorvaneWidgets -DASK_VERSION=${major})
    refuse(default-next-major -DASK_PACKAGE=CorvaneWidgets -DASK_VERSION=${next})
endif()
