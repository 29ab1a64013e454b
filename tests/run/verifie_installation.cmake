# Installs the build into a fresh prefix and checks what quorvel-run brings: the command, its
# page, the case files beside the examples, and the installed command grading the installed
# examples. Run with -P and:  CONSTRUCTION  the build folder   PREFIXE  where to install
file(REMOVE_RECURSE ${PREFIXE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${CONSTRUCTION} --prefix ${PREFIXE}
    RESULT_VARIABLE resultat OUTPUT_QUIET)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${resultat}")
endif()

set(exemples ${PREFIXE}/share/doc/quorvel/examples)
foreach(fichier bin/quorvel-run share/man/man1/quorvel-run.1.gz
        share/doc/quorvel/examples/attente.toml share/doc/quorvel/examples/interrupteurs.toml)
    if(NOT EXISTS ${PREFIXE}/${fichier})
        message(SEND_ERROR "missing from the installed tree: ${fichier}")
    endif()
endforeach()

foreach(nom attente interrupteurs)
    execute_process(
        COMMAND ${PREFIXE}/bin/quorvel-run --cas ${exemples}/${nom}.toml ${exemples}/${nom}.s
        RESULT_VARIABLE resultat OUTPUT_VARIABLE rapport)
    if(NOT resultat EQUAL 0)
        message(SEND_ERROR "installed quorvel-run does not give ${nom}.s full marks:\n${rapport}")
    endif()
endforeach()
