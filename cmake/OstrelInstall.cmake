# What `cmake --install` puts where: the headers under include/ostrel/ (laid out as the source
# folders, so that "engine/IB_Ostrel.h" resolves against that folder), the static libraries, the
# CMake package (find_package(Ostrel), targets Ostrel::...), the pkg-config files, the programs
# and the demo's sample database.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(OSTREL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/ostrel)
set(OSTREL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ostrel)
set(OSTREL_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(_ostrel_libraries ostrel ostrel_ib ostrel_dialog)
set(_ostrel_programs ostrel-export)
if(OSTREL_QT)
    list(APPEND _ostrel_programs ostrel-demo)
endif()

# The installed libraries and programs carry no path of this checkout: __FILE__ and the debug
# information name files relative to it.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(_ostrel_prefix_maps -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
    foreach(_target IN LISTS _ostrel_libraries _ostrel_programs ITEMS ostrel_qt ostrel_demo_form ostrel_cli_csv)
        if(TARGET ${_target})
            target_compile_options(${_target} PRIVATE ${_ostrel_prefix_maps})
        endif()
    endforeach()
endif()

# Consumers compile the headers as C++20 too.
target_compile_features(ostrel PUBLIC cxx_std_20)

# Headers. New exporters and sources are picked up by their folder; the few helpers that only
# the libraries' own sources use stay out.
install(DIRECTORY engine platform sources exporters
        DESTINATION ${OSTREL_INSTALL_INCLUDEDIR}
        COMPONENT Development
        FILES_MATCHING PATTERN "*.h"
        REGEX "/platform/(ByteOrder|Memory|CompoundFile)\\.h$" EXCLUDE)
install(FILES data/IB_Connection.h data/IB_Query.h
        DESTINATION ${OSTREL_INSTALL_INCLUDEDIR}/data COMPONENT Development)
install(DIRECTORY dialog
        DESTINATION ${OSTREL_INSTALL_INCLUDEDIR}
        COMPONENT Development
        FILES_MATCHING PATTERN "*.h"
        PATTERN "qt" EXCLUDE)
if(OSTREL_QT)
    # The Qt layer's public face: starting it, the Qt widgets as sources, the windows and the
    # replaceable dialogs and displays. The pages are the window's own business.
    install(FILES
            dialog/qt/QtLayer.h
            dialog/qt/QtServices.h
            dialog/qt/QtListView.h
            dialog/qt/QtStringGrid.h
            dialog/qt/QtDataGrid.h
            dialog/qt/IB_OstrelDialogF.h
            dialog/qt/IB_OstrelDialogProgress.h
            dialog/qt/IB_OstrelXLSColorEditor.h
            dialog/qt/FileDialogs.h
            dialog/qt/ErrorDisplay.h
            dialog/qt/QuestionBox.h
            dialog/qt/ColorDialogs.h
            dialog/qt/WindowPicture.h
            DESTINATION ${OSTREL_INSTALL_INCLUDEDIR}/dialog/qt COMPONENT Development)
endif()

# Libraries. The Qt layer has an export set of its own, so that the package loads without Qt
# when the application does not ask for it.
install(TARGETS ${_ostrel_libraries} EXPORT OstrelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        INCLUDES DESTINATION ${OSTREL_INSTALL_INCLUDEDIR})
install(EXPORT OstrelTargets NAMESPACE Ostrel:: DESTINATION ${OSTREL_INSTALL_CMAKEDIR}
        COMPONENT Development)
if(OSTREL_QT)
    install(TARGETS ostrel_qt EXPORT OstrelQtTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
            INCLUDES DESTINATION ${OSTREL_INSTALL_INCLUDEDIR})
    install(EXPORT OstrelQtTargets NAMESPACE Ostrel:: DESTINATION ${OSTREL_INSTALL_CMAKEDIR}
            COMPONENT Development)
endif()

# What the libraries link besides each other, for the package config and the pkg-config files:
# pkg-config modules (imported targets PkgConfig::PREFIX), Qt modules and plain library names.
#   OUT_PKG       PREFIX=module pairs of the PkgConfig:: targets
#   OUT_REQUIRES  pkg-config modules whose headers the library's headers use (linked PUBLIC)
#   OUT_REQUIRES_PRIVATE, OUT_LIBS_PRIVATE  what only the link needs
function(_ostrel_link_dependencies target out_pkg out_requires out_requires_private out_libs_private)
    set(pkg "")
    set(requires "")
    set(requires_private "")
    set(libs_private "")
    get_target_property(items ${target} INTERFACE_LINK_LIBRARIES)
    if(NOT items)
        set(items "")
    endif()
    foreach(item IN LISTS items)
        set(private FALSE)
        if(item MATCHES "^\\$<LINK_ONLY:(.+)>$")
            set(item "${CMAKE_MATCH_1}")
            set(private TRUE)
        endif()
        if(item MATCHES "^ostrel")
            continue()  # a sibling library: its own .pc file is required by name below
        elseif(item MATCHES "^PkgConfig::(.+)$")
            set(prefix "${CMAKE_MATCH_1}")
            if(DEFINED ${prefix}_MODULE_NAME)
                set(module "${${prefix}_MODULE_NAME}")
            else()
                string(TOLOWER "${prefix}" module)
            endif()
            list(APPEND pkg "${prefix}=${module}")
            if(private)
                list(APPEND requires_private "${module}")
            else()
                list(APPEND requires "${module}")
            endif()
        elseif(item MATCHES "^Qt6::(.+)$")
            list(APPEND requires "Qt6${CMAKE_MATCH_1}")
        elseif(item MATCHES "^[A-Za-z0-9_+.-]+$")
            list(APPEND libs_private "-l${item}")
        elseif(item MATCHES "^-")
            list(APPEND libs_private "${item}")
        else()
            message(WARNING "${target} links ${item}: the installed package does not provide it to consumers")
        endif()
    endforeach()
    set(${out_pkg} "${pkg}" PARENT_SCOPE)
    set(${out_requires} "${requires}" PARENT_SCOPE)
    set(${out_requires_private} "${requires_private}" PARENT_SCOPE)
    set(${out_libs_private} "${libs_private}" PARENT_SCOPE)
endfunction()

# The package config: dependencies found for the consumer, then the targets.
set(OSTREL_CONFIG_PKG_MODULES "")
foreach(_target IN LISTS _ostrel_libraries)
    _ostrel_link_dependencies(${_target} _pkg _req _req_private _libs_private)
    list(APPEND OSTREL_CONFIG_PKG_MODULES ${_pkg})
endforeach()
list(REMOVE_DUPLICATES OSTREL_CONFIG_PKG_MODULES)
set(OSTREL_CONFIG_WITH_QT ${OSTREL_QT})
configure_package_config_file(cmake/OstrelConfig.cmake.in
    ${PROJECT_BINARY_DIR}/package/OstrelConfig.cmake
    INSTALL_DESTINATION ${OSTREL_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/OstrelConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/OstrelConfig.cmake
              ${PROJECT_BINARY_DIR}/package/OstrelConfigVersion.cmake
        DESTINATION ${OSTREL_INSTALL_CMAKEDIR} COMPONENT Development)

# pkg-config files. They locate the prefix from their own folder, so an installation can move
# (cmake --install --prefix, DESTDIR). The libraries are static: what they link goes to
# Requires.private and Libs.private, which `pkg-config --static` adds.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
    set(OSTREL_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
    file(RELATIVE_PATH _up "/root/${OSTREL_INSTALL_PKGCONFIGDIR}" "/root")
    string(REGEX REPLACE "/$" "" _up "${_up}")
    set(OSTREL_PC_PREFIX "\${pcfiledir}/${_up}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    set(OSTREL_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
else()
    set(OSTREL_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
    set(OSTREL_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/ostrel")
else()
    set(OSTREL_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}/ostrel")
endif()

function(_ostrel_pkg_config_file name target description siblings)
    _ostrel_link_dependencies(${target} _pkg _requires _requires_private _libs_private)
    list(PREPEND _requires ${siblings})
    set(text "prefix=${OSTREL_PC_PREFIX}\nlibdir=${OSTREL_PC_LIBDIR}\nincludedir=${OSTREL_PC_INCLUDEDIR}\n\n")
    string(APPEND text "Name: ${name}\nDescription: ${description}\nVersion: ${PROJECT_VERSION}\n")
    foreach(field IN ITEMS Requires Requires.private)
        string(REPLACE "." "_" list "_${field}")
        string(TOLOWER "${list}" list)
        if(${list})
            list(JOIN ${list} " " value)
            string(APPEND text "${field}: ${value}\n")
        endif()
    endforeach()
    string(APPEND text "Cflags: -I\${includedir}\nLibs: -L\${libdir} -l${target}\n")
    if(_libs_private)
        list(JOIN _libs_private " " value)
        string(APPEND text "Libs.private: ${value}\n")
    endif()
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/package/${name}.pc CONTENT "${text}" @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/package/${name}.pc
            DESTINATION ${OSTREL_INSTALL_PKGCONFIGDIR} COMPONENT Development)
endfunction()
_ostrel_pkg_config_file(ostrel ostrel
    "Exports the rows of tabular sources into files" "")
_ostrel_pkg_config_file(ostrel-ib ostrel_ib
    "The database layer of Ostrel over the Firebird client library, opened at run time" "ostrel")
_ostrel_pkg_config_file(ostrel-dialog ostrel_dialog
    "The non-visual export dialog of Ostrel" "ostrel")
if(OSTREL_QT)
    _ostrel_pkg_config_file(ostrel-qt ostrel_qt
        "The Qt 6 Widgets export dialog and Qt sources of Ostrel" "ostrel-dialog")
endif()

# Programs, and the sample database where the installed demo looks for it (relative to its
# folder, see demo/CMakeLists.txt). A database in a folder that users cannot write must be
# marked read-only, or Firebird refuses to open it; the copy installed is.
install(TARGETS ${_ostrel_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
set(_ostrel_installed_db ${PROJECT_BINARY_DIR}/share/ostrel/country.gdb)
add_custom_command(
    OUTPUT ${_ostrel_installed_db}
    COMMAND ${PROJECT_SOURCE_DIR}/data/make-readonly-db.sh ${PROJECT_BINARY_DIR}/bin/country.gdb
            ${_ostrel_installed_db}
    DEPENDS ${PROJECT_BINARY_DIR}/bin/country.gdb data/make-readonly-db.sh
    COMMENT "Creating the read-only sample database to install")
add_custom_target(sample_db_installed ALL DEPENDS ${_ostrel_installed_db})
install(FILES ${_ostrel_installed_db} DESTINATION ${CMAKE_INSTALL_DATADIR}/ostrel COMPONENT Runtime)
