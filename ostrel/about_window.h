#pragma once

#include <QDialog>
#include <string>

#include "ostrel/ostrel_captions.h"

class QLabel;
class QPushButton;

namespace ostrel {

// The about window ("Sobre"): the program, its keys, the language number and
// the report file; the editing hint is hidden where editing is not offered.
class Tvars_ final : public QDialog {
    Q_OBJECT

public:
    Tvars_(const Captions& captions, int languageNumber, QWidget* parent);

    void SetReportFile(const std::string& file);
    void SetEditingHintVisible(bool on);

    QLabel* ProgramLabel;
    QLabel* KeysLabel;
    QLabel* EditingHint;  // the editing hint panel
    QLabel* LanguageLabel;
    QLabel* FileLabel;
    QPushButton* OkButton;

private:
    std::string m_fileCaption;
};

}  // namespace ostrel
