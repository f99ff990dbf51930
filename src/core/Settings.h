#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace numora {

class RandomSource;

// The old-slip layout of one orientation (section MARGINI_STAMPANTE).
struct OldSlipLayout {
    double sinistro = 0, superiore = 0, distanza_righe = 0, distanza_colonne = 0, diametro = 0;
    double sinistro_nome = 0, superiore_nome = 0, altezza_nome = 0;
    double distanza_importi = 0;
};

// Five millimetre values per orientation that place the marks on the play slip.
struct SlipCalibration {
    std::array<double, 5> horizontal{};
    std::array<double, 5> vertical{};
    static constexpr std::array<double, 5> DefaultHorizontal{23.5, 6.0, 4.36, 5.9, 1.9};
    static constexpr std::array<double, 5> DefaultVertical{6.0, 23.5, 6.0, 4.35, 1.9};
};

struct Settings {
    // The decimals an amount may show: more would only widen every amount field and grid
    // column without a meaningful figure.
    static constexpr int MaxDecimali = 4;

    // IMPORTI
    std::array<double, 18> denominations{}; // i1..i18 at 0..17
    double minimo = 1;
    double massimo = 1;
    double multiplo = 1;
    int decimali = 2; // 0..MaxDecimali
    double vincitaMassima = 1;
    // GENERALI
    int notificaaggio = 1;
    std::string proxyServer;
    std::string proxyPorta;
    // Address of the update server's "aggiorna.php" folder (GENERALI ServerAggiornamento).
    std::string updateServer;
    // MARGINI_STAMPANTE
    OldSlipLayout oldHorizontal;
    OldSlipLayout oldVertical;
    int orientamento = 0;
    // Registry values
    SlipCalibration calibration;
    int tipoBloccaggio = 0;
    int tipoBloccaggioVer = 0;

    double i(int k) const { return denominations[static_cast<std::size_t>(k - 1)]; }
    double& i(int k) { return denominations[static_cast<std::size_t>(k - 1)]; }
};

inline constexpr const char* SettingsFileName = "Numora.ini";
inline constexpr const char* DefaultUpdateServer = "http://aggiornamenti.varnel.it/numora/";
inline constexpr const char* ReadOnlyMessage =
    "L'unità dalla quale è stato eseguito Numora è di sola lettura.\r\nImpossibile scrivere sul disco.\r\n"
    "Installare Numora su un'altra unità.";

// Fills settings from the ini text; absent keys take their defaults.
void ReadSettingsText(const std::string& iniText, Settings& settings);
// Reads AppDir's ini file (a missing file gives the defaults).
void ReadSettings(const std::string& iniPath, Settings& settings);
// The ini text with every key, in the order the file is always written.
std::string SettingsText(const Settings& settings, const std::string& previousText = {});

enum class WriteResult { Written, ReadOnly, Failed };
// Refused (ReadOnly) when the program's folder was found read-only; otherwise writes the
// file atomically, keeping lines of the previous file that are not ours.
WriteResult WriteSettings(const std::string& iniPath, const Settings& settings, bool readOnly);

// The per-user store (the registry key "\Software\Varnel\Numora" on Windows).
class KeyValueStore {
public:
    enum class Status { Ok, Absent, Error };
    virtual ~KeyValueStore() = default;
    // Opens (creating if needed) the key; false when the store is unavailable.
    virtual bool open() = 0;
    virtual Status read(const std::string& name, std::string& value) = 0;
    virtual bool write(const std::string& name, const std::string& value) = 0;
};

// For tests and for a run without a store.
class MemoryStore : public KeyValueStore {
public:
    bool available = true;
    int failReadsAfter = -1; // reads after this many succeed fail with Error (-1: never)
    std::vector<std::pair<std::string, std::string>> values;
    bool open() override { return available; }
    Status read(const std::string& name, std::string& value) override;
    bool write(const std::string& name, const std::string& value) override;
    std::optional<std::string> get(const std::string& name) const;

private:
    int reads_ = 0;
};

void ReadCalibration(KeyValueStore& store, Settings& settings);
void WriteCalibration(KeyValueStore& store, const Settings& settings);
// Ten capital letters, read from "idi" or created there on first use.
std::string InstallationId(KeyValueStore& store, RandomSource& random);

} // namespace numora
