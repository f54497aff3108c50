#pragma once

#include <array>
#include <string>

#include "ostrel/ostrel_settings.h"

namespace ostrel {

// Every caption and hint of ostrel's three windows in one language (UTF-8).
struct Captions {
    // Main window: button bar.
    std::string printButton;
    std::string printHint;
    std::string configureButton;
    std::string configureHint;
    std::string searchButton;
    std::string searchHint;
    std::string indexButton;
    std::string indexHint;
    std::string closeButton;
    std::string closeHint;

    // Information panel.
    std::string fileLabel;   // "Arquivo:"
    std::string linesLabel;  // "Linhas:"

    // Right-button menu of the grid.
    std::string insertLine;
    std::string editLine;
    std::string deleteLine;
    std::string deleteTable;

    // Line editor panel.
    std::string newLine;  // "Linha nova"
    std::string ok;
    std::string cancel;

    // Search panel.
    std::string searchLabel;  // "Procurar:"
    std::string matchCase;    // "Diferenciar a/A"

    // Settings panel.
    std::string settingsTitle;
    std::string page;  // margins, header and footer of the printed page
    std::string lineSpacing;
    std::string letterSize;
    std::string tableColours;          // radio group "Divisão de tabelas"
    std::array<std::string, 7> tableColourNames;
    std::string titleColours;          // radio group "Títulos"
    std::array<std::string, 3> titleColourNames;
    std::string tableRules;            // "Linhas horizontais em tabelas"
    std::string cursorBand;            // "Faixa auxiliar na posição do cursor"
    std::string margins;
    std::string marginLeft;
    std::string marginTop;
    std::string marginBottom;
    std::string header;
    std::string footer;
    std::string footerHint;            // the fields the footer text may hold
    std::string rule;                  // rule under the header, above the footer
    std::string picture1;
    std::string picture2;
    std::string pictureFile;
    std::string pictureX;
    std::string pictureY;
    std::string pictureWidth;
    std::string pictureHeight;
    std::string printer;
    std::string pageWidth;
    std::string pageHeight;
    std::string printerSetup;          // "Configuração da impressora"
    std::string saveSettings;          // "Salvar modificações para o próximo relatório"
    std::string standard;              // "Padrão"

    // Index window.
    std::string indexTitle;  // "Indice"
    std::string indexHintLine1;
    std::string indexHintLine2;

    // About window.
    std::string aboutTitle;  // "Sobre"
    std::string aboutProgram;
    std::string aboutKeys;
    std::string aboutEditingHint;
    std::string aboutFile;
    std::string language;  // "Idioma="

    // Printing.
    std::string printFailed;  // the printer could not start the job
};

// The captions of a language; Portuguese is the texts of the window layouts.
const Captions& CaptionsFor(Language lang);

}  // namespace ostrel
