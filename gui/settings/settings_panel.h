#pragma once
// The settings panel of the general page: every session setting with its limits and the
// reactions that keep "Матрица", "Буква" and "Слово" consistent. The photo button's reaction
// belongs to the main window, which owns the photo.

#include <QFrame>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace mirelta {

class ClickableLabel;
class Dialogs;
class RadioGroup;

class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    SettingsPanel(Dialogs& dialogs, QWidget* parent);

    QLineEdit* Epov;
    QLineEdit* Mpov;
    QCheckBox* Cslov;
    QLineEdit* Ename;
    QLineEdit* Eslov;
    QLineEdit* Epred;
    RadioGroup* Rskor;
    RadioGroup* Rpol;
    RadioGroup* Rvid;
    QCheckBox* Cubav;
    QCheckBox* Cfoto;
    QPushButton* Bfoto;
    QCheckBox* Ciar;
    QSlider* Tiar;
    QCheckBox* Czv;
    ClickableLabel* R5;
    QLineEdit* Ezad;
    QCheckBox* Cmatr;
    QCheckBox* Cbuk;

private:
    void EpovChange();
    void MpovChange();
    void EnameChange();
    void CmatrClick();
    void CbukClick();

    Dialogs& dialogs_;
};

} // namespace mirelta
