#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>
#include <QStringView>

namespace veskar {

/// Start colours of registered times, by code: 0 none, 1 blue, 2 red, 3 lime, 4 yellow,
/// 5 aqua, 6 pink. A tag is the code's decimal text ("" for none); only its first character
/// counts.
constexpr int kStartColorCount = 7;

/// How a tagged line is drawn, as 0xRRGGBB.
struct StartColorStyle {
    uint32_t background;
    uint32_t text;
};

/// The code of a tag: 1..6 when its first character is "1".."6", otherwise 0.
int StartColorCode(QStringView tag);
/// Colours of a code 1..6; empty for 0 and anything else (normal colours).
std::optional<StartColorStyle> StartColorStyleOf(int code);
/// The menu word of a code: "無印", "青", "赤", "緑", "黄色", "水色", "ピンク".
QString StartColorWord(int code);
/// The accelerator letter of a code in the colour menus: N B R G Y M P.
QChar StartColorKey(int code);

/// The start-colour options in force. They persist through the settings store.
struct StartColorSettings {
    /// "スタートタイムを有効にする": while off, tags stay but are neither drawn nor changed by
    /// registering again, and the colour menus are disabled.
    bool startTimesEnabled = true;
    /// Colour given by the "<登" buttons, 0..6 (0 registers without colour).
    int defaultStartColor = 0;
    /// Which tagged lines continuous playback visits: 0 every tagged line, 1..6 one colour.
    int continuousTarget = 0;
    /// Classification names by colour index 0..6, appended to output file names.
    QStringList colorTagNames;
};

/// The names used when none were ever saved: "", "Blue", "Red", "Lime", "Yellow", "Aqua",
/// "Pink".
QStringList DefaultColorTagNames();
StartColorSettings DefaultStartColorSettings();

/// The tag a registration gives: with colour (the "<登" buttons) the default colour's code
/// while start times are enabled and a colour is chosen, otherwise "".
QString RegistrationTag(bool withColor, const StartColorSettings& settings);

/// The colour a song start of a silence list is shown in: the default colour while start
/// times are enabled and a colour is chosen, otherwise blue.
int SongStartColor(const StartColorSettings& settings);
/// The tag a song start of a silence list gets from "<登" and "すべて色付登録": the colour the
/// list shows it in, so that registering "with colour" never drops the colour the user sees. ""
/// from "録" and while start times are off.
QString SongStartTag(bool withColor, const StartColorSettings& settings);

/// Colour of the continuous-target panel: the target's background while start times are
/// enabled and the target is a colour; empty for the parent's colour.
std::optional<uint32_t> ContinuousTargetColor(const StartColorSettings& settings);

/// Captions of the continuous-target items: index 0 "スタートタイムすべて(&L)", 1..6
/// "青のみ(&B)" .. "ピンクのみ(&P)". The colour cut items of the cut menu read the same.
QString ContinuousTargetItemCaption(int target);
/// Caption of the continuous-target submenu: "連続再生対象選択　" + "すべて" or the chosen
/// item's caption up to its "(" + " (&R)".
QString ContinuousTargetMenuCaption(int target);
/// Caption of a classification-name item: word + " > " + name + "(&key)".
QString ClassificationItemCaption(int code, const QString& name);
/// Title of the classification-name input box.
QString ClassificationInputTitle();

} // namespace veskar
