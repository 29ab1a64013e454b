#include "textes_fltk.h"

#include <FL/Fl_File_Chooser.H>
#include <FL/fl_ask.H>

// The chooser's widgets keep their English-sized places: each text here fits its widget (the
// window tests check it), hence "Filtre :" and "Fichier :" rather than longer wordings.
void textes_fltk_en_francais() {
    fl_ok = "OK";
    fl_cancel = "Annuler";
    fl_close = "Fermer";
    fl_yes = "Oui";
    fl_no = "Non";

    Fl_File_Chooser::add_favorites_label = "Ajouter aux favoris";
    Fl_File_Chooser::all_files_label = "Tous les fichiers (*)";
    Fl_File_Chooser::custom_filter_label = "Filtre personnalise";
    Fl_File_Chooser::existing_file_label = "Choisissez un fichier existant !";
    Fl_File_Chooser::favorites_label = "Favoris";
    Fl_File_Chooser::filename_label = "Fichier :";
    Fl_File_Chooser::filesystems_label = "Systemes de fichiers";
    Fl_File_Chooser::manage_favorites_label = "Gerer les favoris";
    Fl_File_Chooser::new_directory_label = "Nouveau dossier ?";
    Fl_File_Chooser::new_directory_tooltip = "Creer un nouveau dossier.";
    Fl_File_Chooser::preview_label = "Apercu";
    Fl_File_Chooser::save_label = "Valider";
    Fl_File_Chooser::show_label = "Filtre :";
    Fl_File_Chooser::hidden_label = "Fichiers caches";
}
