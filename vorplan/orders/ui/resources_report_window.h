#pragma once

#include <QDialog>

#include "vorplan/common/list_reports.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vor {

// The options of the materials report ("Relatório de recursos -
// Configuração"). They live in the controls for the run and are not stored.
class TForm24 : public QDialog {
    Q_OBJECT

public:
    explicit TForm24(QWidget* parent = nullptr);
    ~TForm24() override;

    // The report arguments the controls give.
    MaterialListOptions Options() const;

    QGroupBox* GroupBox1;  // Materiais para chapas / retalhos
    QCheckBox* CheckBox1;  // Lista de materiais
    QCheckBox* CheckBox2;  // Propriedades
    QCheckBox* CheckBox3;  // Chapas cadastradas
    QCheckBox* CheckBox4;  // Retalhos cadastrados
    QCheckBox* CheckBox5;  // Data
    QCheckBox* CheckBox6;  // Cabeçalho
    QLineEdit* Edit1;      // header text
    QPushButton* Button1;  // Ok
};

extern TForm24* Form24;
TForm24* CreateForm24();

}  // namespace vor
