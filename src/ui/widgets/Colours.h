#pragma once
// Every colour the program fixes, in one place. A text whose colour is not fixed here takes
// the widget's palette (QPalette::Text, WindowText, ButtonText), so it stays readable under
// any desktop theme; a fixed background gets a fixed text colour to go with it.
#include <QColor>

namespace Colours {

// The red of the game: red balls, hits, warnings and hints, lines drawn over a grid.
inline const QColor red(255, 0, 0);
// The blue of the game: the blue ball's number.
inline const QColor blue(0, 0, 255);
// A number written on a red or blue ball cell.
inline const QColor textOnBall(Qt::white);
// Text on a background the program fixes, where the palette's text would not stand out.
inline const QColor textOnLightBackground(Qt::black);
inline const QColor textOnDarkBackground(Qt::white);

// The history grid's zones: small/middle/large reds, the four blue zones, the footer row.
inline const QColor redZoneLilac(215, 215, 255);
inline const QColor redZoneCyan(215, 255, 255);
inline const QColor blueZoneRose(254, 197, 201);
inline const QColor blueZoneBlush(255, 232, 234);
inline const QColor historyFooter(201, 233, 204);

// The statistics grids.
inline const QColor omissionText(177, 173, 254);
inline const QColor bigSmallBackground(225, 240, 255);
inline const QColor oddEvenBackground(255, 238, 238);
inline const QColor bigSmallBlueText(40, 40, 255);
inline const QColor blueDistributionBackground(238, 238, 255);
inline const QColor blueClassText(0, 128, 255);
inline const QColor oddColumnBackground(Qt::white);
// The five elements' text colours (fire is the game's red).
inline const QColor metal(255, 128, 0);
inline const QColor wood(0, 128, 0);
inline const QColor water(64, 128, 128);
inline const QColor fire = red;
inline const QColor earth(128, 0, 64);

// The betting tab: selected ball toggles, the print preview's page.
inline const QColor redToggleSelected(255, 117, 117);
inline const QColor blueToggleSelected(119, 119, 255);
inline const QColor toggleBorder(138, 138, 138);
inline const QColor printPage(236, 247, 255);

// A roll-up panel's caption bar.
inline const QColor captionBar(120, 150, 200);
inline const QColor captionText(Qt::white);

// The trend charts: a white page with grey rules, the red line and teal bars, and the 3D look.
inline const QColor chartPage(Qt::white);
inline const QColor chartFrame(150, 150, 150);
inline const QColor chartGridLine(225, 225, 225);
inline const QColor chartBar(0, 128, 128);
inline const QColor chartMarkText(40, 40, 40);
inline const QColor depthWall(236, 236, 236);
inline const QColor depthWallEdge(150, 150, 150);
inline const QColor depthGrid(210, 210, 210);
inline const QColor depthRibbonTop(255, 170, 170);
inline const QColor depthRibbonUnder(225, 90, 90);
inline const QColor depthRibbonEdge(190, 0, 0);
inline const QColor depthBarTop(0, 170, 170);
inline const QColor depthBarSide(0, 92, 92);

// The palette's text colour where it stands out on background; else black or white, whichever does.
inline QColor readableOn(const QColor &background, const QColor &paletteText)
{
    if (qAbs(background.lightness() - paletteText.lightness()) >= 100)
        return paletteText;
    return background.lightness() >= 128 ? textOnLightBackground : textOnDarkBackground;
}

// A style sheet that fixes a label's or field's text colour: "color: rgb(r, g, b);".
inline QString textStyle(const QColor &colour)
{
    return QStringLiteral("color: rgb(%1, %2, %3);").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

} // namespace Colours
