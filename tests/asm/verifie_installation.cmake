# Installs the build into a fresh prefix and checks the tree. Run with -P and:
#   CONSTRUCTION  the build folder      PREFIXE  where to install
#   SIMULATEUR    1 when the simulator's program is built
file(REMOVE_RECURSE ${PREFIXE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${CONSTRUCTION} --prefix ${PREFIXE}
    RESULT_VARIABLE resultat OUTPUT_QUIET)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${resultat}")
endif()

set(attendus bin/quorvel-asm share/man/man1/quorvel-asm.1.gz)
foreach(nom compteur interrupteurs multiplication somme_table chenillard attente)
    foreach(extension s bin lst)
        list(APPEND attendus share/doc/quorvel/examples/${nom}.${extension})
    endforeach()
endforeach()
set(du_simulateur bin/quorvel share/man/man1/quorvel.1.gz share/applications/quorvel.desktop
    share/icons/hicolor/scalable/apps/quorvel.svg share/metainfo/org.quorvel.quorvel.metainfo.xml)

if(SIMULATEUR)
    list(APPEND attendus ${du_simulateur})
else()
    # An entry or a page for a program that is not there would be a broken promise.
    foreach(fichier ${du_simulateur})
        if(EXISTS ${PREFIXE}/${fichier})
            message(SEND_ERROR "installed without the simulator: ${fichier}")
        endif()
    endforeach()
endif()
foreach(fichier ${attendus})
    if(NOT EXISTS ${PREFIXE}/${fichier})
        message(SEND_ERROR "missing from the installed tree: ${fichier}")
    endif()
endforeach()

# The installed assembler turns an installed source into the installed program file.
set(exemples ${PREFIXE}/share/doc/quorvel/examples)
execute_process(
    COMMAND ${PREFIXE}/bin/quorvel-asm ${exemples}/compteur.s -o ${PREFIXE}/compteur.bin
    RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "installed quorvel-asm failed: ${resultat}")
endif()
file(SHA256 ${PREFIXE}/compteur.bin obtenu)
file(SHA256 ${exemples}/compteur.bin attendu)
if(NOT obtenu STREQUAL attendu)
    message(SEND_ERROR "installed compteur.bin differs from what the installed assembler makes")
endif()
