# What goes with the programs once installed (manual pages, desktop entry, icon, AppStream
# metadata, the package's copyright and changelog), and the Debian package of it all
# (`cpack -G DEB` in the build folder). Read by the root list file before the parts: the package
# takes whatever their install() rules put in, so a new program joins it by its own install()
# rule and its page packaging/NAME.1.

# Optimized builds are hardened as Debian builds its packages: checked buffer functions, a stack
# protector, relocations resolved at start and then read-only. Not with the sanitizers or the
# fuzzer (the checked functions would bypass their interceptors), nor without optimization
# (the checks need it).
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$"
    AND NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ)
    set(QUORVEL_DURCI 1)
    add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
else()
    set(QUORVEL_DURCI 0)
endif()

set(emballage ${CMAKE_CURRENT_LIST_DIR})
set(emballage_construit ${PROJECT_BINARY_DIR}/packaging)
find_program(GZIP gzip REQUIRED)

# Debian wants manual pages and the changelog gzip-compressed at the best level and without a
# name or a timestamp in the header, so that two builds give the same bytes.
set(fichiers_comprimes)
function(comprime source nom)
    set(copie ${emballage_construit}/${nom})
    add_custom_command(
        OUTPUT ${copie}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copie}
        COMMAND ${GZIP} -9nf ${copie}
        DEPENDS ${source}
        COMMENT "Compressing ${nom}"
        VERBATIM
    )
    set(fichiers_comprimes ${fichiers_comprimes} ${copie}.gz PARENT_SCOPE)
endfunction()

# Every page packaging/NAME.1 goes with the program NAME, when that program is built.
file(GLOB pages CONFIGURE_DEPENDS ${emballage}/*.1)
foreach(page ${pages})
    get_filename_component(nom ${page} NAME)
    string(REGEX REPLACE "\\.1$" "" programme ${nom})
    comprime(${page} ${nom})
    install(FILES "$<$<TARGET_EXISTS:${programme}>:${emballage_construit}/${nom}.gz>"
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

comprime(${emballage}/changelog changelog)
add_custom_target(quorvel_emballage ALL DEPENDS ${fichiers_comprimes})
install(FILES ${emballage}/copyright ${emballage_construit}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The simulator's entry in the desktop menus, its icon and its software-centre description.
# The simulator is built exactly when QUORVEL_GUI is on (it stops the configuration otherwise);
# a plain condition rather than TARGET_EXISTS, which would leave the folders there empty.
if(QUORVEL_GUI)
    file(GLOB metadonnees CONFIGURE_DEPENDS ${emballage}/*.metainfo.xml)
    install(FILES ${emballage}/quorvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${emballage}/quorvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${metadonnees} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The Debian package.
set(QUORVEL_MAINTENEUR "Les auteurs de quorvel <quorvel@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Les auteurs de quorvel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of a small 8-bit accumulator teaching computer")
set(CPACK_PACKAGE_DESCRIPTION [[
quorvel shows a small accumulator machine at work in one French-language
window: a student loads a program, or types it in byte by byte, edits the
registers, steps or runs it, and follows the registers, a disassembly around
the program counter, a memory dump and three parallel ports with their
switches and lights.

The assembler quorvel-asm writes program files in exactly the language that
the disassembly shows. Example programs come with their sources and listings.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories as Debian has them, whatever the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUORVEL_MAINTENEUR})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

if(QUORVEL_TESTS)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/paquet)
endif()
