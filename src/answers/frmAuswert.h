#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"

#include <cstdint>
#include <vector>

namespace kb {

extern const tk::FormLayout frmAuswert1Layout;
extern const tk::FormLayout frmAuswert2Layout;

// A line of praise: written into its label when the counts match. A rule with
// falsche = -1 looks at Richtige alone.
struct Lob {
    std::int16_t richtige;
    std::int16_t falsche;
    const char* label;
    const char* text;
};

// What tells the two result screens apart besides their layouts.
struct Auswertungswerte {
    const tk::FormLayout& layout;
    std::vector<Lob> lob; // tested in this order
};

extern const Auswertungswerte frmAuswert1Werte;
extern const Auswertungswerte frmAuswert2Werte;

// A result screen, frmAuswert1 or frmAuswert2: greets the child by name, gives
// the numbers of right and wrong picks and, for a good result, a line of praise.
// "Noch einmal" leads back to the difficulty menu, "Ende" ends the program.
class frmAuswert : public tk::Form {
public:
    explicit frmAuswert(const Auswertungswerte& werte);
    void Form_Load() override;

private:
    void begruessen();
    void zaehlzeilen();
    void loben();
    void ergebnisFesthalten();
    void cmdNochmal_Click();
    void cmdEnde_Click();

    // A praise rule and the label it writes into.
    struct Lobzeile {
        const Lob& regel;
        tk::Label& label;
    };

    const Auswertungswerte& werte_;
    tk::Label& lblso;
    tk::Label& lblName;
    tk::Label& lblPunkte;
    tk::Label& lblPunkte2;
    tk::CommandButton& cmdNochmal;
    tk::CommandButton& cmdEnde;
    std::vector<Lobzeile> lob_;
};

} // namespace kb
