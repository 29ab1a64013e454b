# Builds the Debian package of a build folder, checks its files and control fields, runs the
# assembler it holds, and has lintian judge it. Run with -P and:
#   CPACK    the cpack command          CONSTRUCTION  the build folder
#   DOSSIER  a scratch folder           SOURCES       the source tree
#   VERSION  the project's version      SIMULATEUR    1 when the simulator's program is built
#   ASSAINI  1 in a sanitized build     DURCI         1 when built with the hardening flags
# A check that cannot be made ends with "package test skipped: why" (the test's skip pattern).
cmake_minimum_required(VERSION 3.16)

function(ignore raison)
    message("package test skipped: ${raison}")
endfunction()

# Runs a command that must succeed; its standard output goes into the named variable.
function(lance variable)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie
        ERROR_VARIABLE erreurs)
    if(NOT resultat EQUAL 0)
        string(REPLACE ";" " " commande "${ARGN}")
        message(FATAL_ERROR "${commande} failed (${resultat}):\n${sortie}${erreurs}")
    endif()
    set(${variable} "${sortie}" PARENT_SCOPE)
endfunction()

# A sanitized program needs the sanitizers' run-time libraries and is built without the
# hardening that lintian looks for: its package is no fair sample of the real one.
if(ASSAINI)
    ignore("a sanitized build makes no package to ship; the plain build checks it")
    return()
endif()
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG dpkg)
find_program(LINTIAN lintian)
find_program(FILE file)
find_program(APPSTREAMCLI appstreamcli)
foreach(outil DPKG_DEB DPKG LINTIAN FILE APPSTREAMCLI)
    if(NOT ${outil})
        string(TOLOWER ${outil} nom)
        string(REPLACE "_" "-" nom ${nom})
        ignore("${nom} not found (Debian: dpkg-dev, lintian, file, appstream)")
        return()
    endif()
endforeach()

# 1. The package, built as a teacher would, named as Debian names it.
file(REMOVE_RECURSE ${DOSSIER})
file(MAKE_DIRECTORY ${DOSSIER})
execute_process(COMMAND ${CPACK} -G DEB -B ${DOSSIER}/sortie
    WORKING_DIRECTORY ${CONSTRUCTION} RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie
    ERROR_VARIABLE sortie)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cpack -G DEB failed (${resultat}):\n${sortie}")
endif()
lance(architecture ${DPKG} --print-architecture)
string(STRIP "${architecture}" architecture)
set(nom_attendu quorvel_${VERSION}_${architecture}.deb)
file(GLOB paquets RELATIVE ${DOSSIER}/sortie ${DOSSIER}/sortie/*.deb)
if(NOT paquets STREQUAL nom_attendu)
    message(FATAL_ERROR "expected one package ${nom_attendu}, cpack made: ${paquets}")
endif()
set(paquet ${DOSSIER}/sortie/${nom_attendu})

# 2. Control fields: one row per field, its expected value as a regular expression. Depends
#    comes from the libraries that the programs link: the toolkit's with the simulator.
if(SIMULATEUR)
    set(bibliotheque "libfltk1\\.3")
else()
    set(bibliotheque "libc6")
endif()
set(champs
    Package "^quorvel$"
    Version "^${VERSION}$"
    Architecture "^${architecture}$"
    Depends "(^|, )${bibliotheque}( |,|$)"
    Maintainer "^[^<]+ <[^@>]+@[^>]+>$"
    Section "^education$"
    Description "^simulator of a small 8-bit accumulator teaching computer\n ."
)
while(champs)
    list(POP_FRONT champs champ attendu)
    lance(valeur ${DPKG_DEB} --field ${paquet} ${champ})
    string(STRIP "${valeur}" valeur)
    if(NOT valeur MATCHES "${attendu}")
        message(SEND_ERROR "control field ${champ}: '${valeur}' does not match '${attendu}'")
    endif()
endwhile()

# 3. The files: everything under /usr, each program with its page and each page with its
#    program, the simulator's desktop files with the simulator, every example assembled.
lance(liste ${DPKG_DEB} --contents ${paquet})
string(REPLACE "\n" ";" lignes "${liste}")
set(fichiers)
foreach(ligne ${lignes})
    string(REGEX REPLACE "^.* \\./" "" chemin "${ligne}")
    if(chemin STREQUAL "" OR chemin MATCHES "/$")
        continue()
    endif()
    if(NOT chemin MATCHES "^usr/")
        message(SEND_ERROR "outside /usr: ${chemin}")
    endif()
    list(APPEND fichiers ${chemin})
endforeach()
string(REPLACE ";" "\n  " texte "${fichiers}")
message("files in ${nom_attendu}:\n  ${texte}")

set(programmes)
set(pages)
foreach(chemin ${fichiers})
    if(chemin MATCHES "^usr/bin/(.+)$")
        list(APPEND programmes ${CMAKE_MATCH_1})
    elseif(chemin MATCHES "^usr/share/man/man1/(.+)\\.1\\.gz$")
        list(APPEND pages ${CMAKE_MATCH_1})
    elseif(chemin MATCHES "^usr/share/man/")
        message(SEND_ERROR "manual page not where man looks or not compressed: ${chemin}")
    endif()
endforeach()
list(SORT programmes)
list(SORT pages)
if(NOT programmes STREQUAL pages)
    message(SEND_ERROR "programs (${programmes}) and manual pages (${pages}) do not match")
endif()

set(attendus usr/bin/quorvel-asm usr/share/doc/quorvel/copyright
    usr/share/doc/quorvel/changelog.gz)
file(GLOB exemples RELATIVE ${SOURCES}/examples ${SOURCES}/examples/*.s)
foreach(source ${exemples})
    string(REGEX REPLACE "\\.s$" "" nom ${source})
    foreach(extension s bin lst)
        list(APPEND attendus usr/share/doc/quorvel/examples/${nom}.${extension})
    endforeach()
endforeach()
set(du_simulateur usr/bin/quorvel usr/share/applications/quorvel.desktop
    usr/share/icons/hicolor/scalable/apps/quorvel.svg)
file(GLOB metadonnees RELATIVE ${SOURCES}/packaging ${SOURCES}/packaging/*.metainfo.xml)
foreach(nom ${metadonnees})
    list(APPEND du_simulateur usr/share/metainfo/${nom})
endforeach()
if(SIMULATEUR)
    list(APPEND attendus ${du_simulateur})
else()
    foreach(chemin ${du_simulateur})
        if(chemin IN_LIST fichiers)
            message(SEND_ERROR "packaged without the simulator: ${chemin}")
        endif()
    endforeach()
endif()
foreach(chemin ${attendus})
    if(NOT chemin IN_LIST fichiers)
        message(SEND_ERROR "missing from the package: ${chemin}")
    endif()
endforeach()

# 4. Extracted, the programs are stripped; the desktop entry opens a file given to it, and it,
#    the icon and the metadata hold together; the packaged assembler turns each packaged source
#    into the packaged program file.
set(racine ${DOSSIER}/racine)
lance(ignore_sortie ${DPKG_DEB} --extract ${paquet} ${racine})
foreach(programme ${programmes})
    lance(nature ${FILE} -b ${racine}/usr/bin/${programme})
    if(NOT nature MATCHES ", stripped")
        message(SEND_ERROR "not stripped: ${programme}: ${nature}")
    endif()
endforeach()
if(SIMULATEUR)
    file(STRINGS ${racine}/usr/share/applications/quorvel.desktop exec REGEX "^Exec=")
    if(NOT exec STREQUAL "Exec=quorvel %f")
        message(SEND_ERROR "desktop entry: ${exec}")
    endif()
    lance(nature ${FILE} -b ${racine}/usr/share/icons/hicolor/scalable/apps/quorvel.svg)
    if(NOT nature MATCHES "^SVG ")
        message(SEND_ERROR "the icon is not an SVG image: ${nature}")
    endif()
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${racine}
        RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
    if(NOT resultat EQUAL 0)
        message(SEND_ERROR "appstreamcli validate-tree on the package (${resultat}):\n${sortie}")
    endif()
endif()
# The newest entries of the changelog and of the metadata's releases are this version.
lance(journal gzip -dc ${racine}/usr/share/doc/quorvel/changelog.gz)
string(REGEX MATCH "^quorvel \\(([^)]*)\\)" entete "${journal}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(SEND_ERROR "changelog.gz starts with '${entete}', not version ${VERSION}")
endif()
foreach(nom ${metadonnees})
    file(READ ${SOURCES}/packaging/${nom} texte)
    string(REGEX MATCH "<release version=\"([^\"]*)\"" entete "${texte}")
    if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
        message(SEND_ERROR "${nom}: newest release '${CMAKE_MATCH_1}', not ${VERSION}")
    endif()
endforeach()

set(exemples_installes ${racine}/usr/share/doc/quorvel/examples)
foreach(source ${exemples})
    string(REGEX REPLACE "\\.s$" "" nom ${source})
    lance(ignore_sortie ${racine}/usr/bin/quorvel-asm ${exemples_installes}/${source}
        -o ${DOSSIER}/${nom}.bin)
    file(SHA256 ${DOSSIER}/${nom}.bin obtenu)
    file(SHA256 ${exemples_installes}/${nom}.bin attendu)
    if(NOT obtenu STREQUAL attendu)
        message(SEND_ERROR "${nom}.bin: the packaged assembler makes other bytes")
    endif()
endforeach()

# 5. lintian: no error, and in a hardened build none of its hardening remarks. It warns when
#    run as root (CI is) unless told that this is meant.
lance(uid id -u)
string(STRIP "${uid}" uid)
set(options --no-cfg --display-info)
if(uid EQUAL 0)
    list(APPEND options --allow-root)
endif()
execute_process(COMMAND ${LINTIAN} ${options} ${paquet}
    RESULT_VARIABLE resultat OUTPUT_VARIABLE rapport ERROR_VARIABLE rapport)
message("lintian (${resultat}):\n${rapport}")
if(rapport MATCHES "(^|\n)E: " OR NOT resultat EQUAL 0)
    message(SEND_ERROR "lintian finds errors in ${nom_attendu}")
endif()
if(DURCI AND rapport MATCHES "hardening-no-[a-z]+")
    message(SEND_ERROR "built with the hardening flags, yet lintian says ${CMAKE_MATCH_0}")
endif()
