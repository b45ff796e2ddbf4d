# The installed packages: CorvaneWidgetsQt<major> for CMake and pkg-config, and optionally the
# unversioned CMake package CorvaneWidgets that finds it. Releases keep their major as long as
# hosts built against an older release of it keep working, hence same-major compatibility.
include(CMakePackageConfigHelpers)

set(package_dir ${CORVANE_INSTALL_CMAKEDIR}/${CORVANE_PACKAGE})
configure_package_config_file(cmake/CorvaneWidgetsQtConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}Config.cmake
    INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}ConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}Config.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}ConfigVersion.cmake
        DESTINATION ${package_dir} COMPONENT Development)
install(EXPORT ${CORVANE_PACKAGE}Targets NAMESPACE CorvaneQt${QT_MAJOR_VERSION}::
        DESTINATION ${package_dir} COMPONENT Development)

if(CORVANE_INSTALL_DEFAULT_PACKAGE)
    set(default_dir ${CMAKE_CURRENT_BINARY_DIR}/default-package)
    configure_file(cmake/CorvaneWidgetsConfig.cmake.in ${default_dir}/CorvaneWidgetsConfig.cmake
        @ONLY)
    write_basic_package_version_file(${default_dir}/CorvaneWidgetsConfigVersion.cmake
        COMPATIBILITY SameMajorVersion)
    install(FILES ${default_dir}/CorvaneWidgetsConfig.cmake
                  ${default_dir}/CorvaneWidgetsConfigVersion.cmake
            DESTINATION ${CORVANE_INSTALL_CMAKEDIR}/CorvaneWidgets COMPONENT Development)
endif()

# The pkg-config file finds the prefix from its own place, so that an install with another
# prefix (cmake --install --prefix, DESTDIR staging) stays valid.
function(corvane_pc_path var path)
    if(IS_ABSOLUTE "${path}")
        set(${var} "${path}" PARENT_SCOPE)
    else()
        set(${var} "\${prefix}/${path}" PARENT_SCOPE)
    endif()
endfunction()
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE ${pc_dir})
    set(pc_prefix ${CMAKE_INSTALL_PREFIX})
else()
    string(REGEX REPLACE "[^/]+" ".." up "${pc_dir}")
    set(pc_prefix "\${pcfiledir}/${up}")
endif()
corvane_pc_path(pc_libdir ${CMAKE_INSTALL_LIBDIR})
corvane_pc_path(pc_includedir ${CORVANE_INSTALL_INCLUDEDIR})
configure_file(cmake/CorvaneWidgets.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${CORVANE_PACKAGE}.pc DESTINATION ${pc_dir}
        COMPONENT Development)
