#pragma once

#include <QDialog>

namespace numora {

inline constexpr const char* NumoraHomePage = "https://www.varnel.it/numora";
inline constexpr const char* NumoraVersion = "4.5";

// "Informazioni su Numora": what the program is, its version and where it lives.
class TInformazioni : public QDialog {
    Q_OBJECT
public:
    explicit TInformazioni(QWidget* parent = nullptr);
};

} // namespace numora
