// The words of the default skins' pictures in English and in the languages they are drawn in.
// Button words are short: the launcher's info line and the readers' names say more.
#include "tools/skingen/skin_art.h"

namespace ss::skingen {

const Wording& EnglishWording() {
  static const Wording english{
      "",
      false,
      "tahoma.ttf",
      "tahomabd.ttf",
      {"File Disc\nWriter", "Video Disc\nWriter", "Music\nDiscs", "More\nTools"},
      "Help",
      "About",
      "Home",
      "More Free Tools",
      "Home page  >"};
  return english;
}

const std::vector<Wording>& DrawnLanguages() {
  // Japanese in a gothic face of one weight, which the captions thicken as they thicken Tahoma;
  // Arabic in a face of two weights drawn for screens.
  static const std::vector<Wording> languages{
      {"de",
       false,
       "tahoma.ttf",
       "tahomabd.ttf",
       {"Daten-Disc\nbrennen", "Video-Disc\nbrennen", "Musik-\nCDs", "Weitere\nProgramme"},
       "Hilfe",
       "Info",
       "Start",
       "Weitere Gratis-Tools",
       "Startseite  >"},
      {"ja",
       false,
       "sawarabi-gothic-medium.ttf",
       "sawarabi-gothic-medium.ttf",
       {"データ\nディスク作成", "ビデオ\nディスク作成", "音楽\nディスク", "その他の\nツール"},
       "ヘルプ",
       "情報",
       "ホーム",
       "その他の無料ツール",
       "ホームページ  >"},
      {"ar",
       true,
       "KacstOne.ttf",
       "KacstOne-Bold.ttf",
       {"نسخ أقراص\nالبيانات", "نسخ أقراص\nالفيديو", "أقراص\nالموسيقى", "أدوات\nأخرى"},
       "تعليمات",
       "حول",
       "الرئيسية",
       "أدوات مجانية أخرى",
       "الصفحة الرئيسية  <"},
  };
  return languages;
}

}  // namespace ss::skingen
