#include "app/link_rename.h"

#include <gtest/gtest.h>

#include "app/memory_controls.h"
#include "sources/domains.h"
#include "text/charset.h"

namespace quorvel {
namespace {

struct RenameCase {
  const char* what;
  Text replace;
  Text content;
  Text expected;
};

TEST(RenameLinks, CleansTheFirstBlockOfEachKind) {
  const Text mark = sourceWatermark(2);  // a real watermark: GBK with two-byte characters
  const Text film = utf8ToGbk("片名");
  const RenameCase cases[] = {
      {"empty replace box", "",
       "[BDHD]\r\nbdhd://h/a.rmvb\r\n[/BDHD]\r\n",
       "[BDHD]\r\nbdhd://h/a.rmvb\r\n[/BDHD]\r\n"},
      {"no link blocks", "MARK",
       "[img]http://h/MARK.jpg[/img]\r\nMARK text\r\n",
       "[img]http://h/MARK.jpg[/img]\r\nMARK text\r\n"},
      {"empty content", "MARK", "", ""},
      {"whole blocks are cleaned in exact case, names and addresses alike", "MARK",
       "[BDHD]\r\nbdhd://MARK/MARKa.rmvb mark\r\n[/BDHD]\r\n",
       "[BDHD]\r\nbdhd:///a.rmvb mark\r\n[/BDHD]\r\n"},
      {"every whole-block kind", "MARK",
       "[QVOD]\r\nqvod://1MARK|\r\n[/QVOD]\r\n[GVOD]\r\ngvod://2MARK\r\n[/GVOD]\r\n"
       "[FLASHGET]\r\nFlashget://3MARK\r\n[/FLASHGET]\r\n[ED2K]\r\ned2k://4MARK\r\n[/ED2K]\r\n"
       "[Magnet]\r\nmagnet:5MARK\r\n[/Magnet]\r\n",
       "[QVOD]\r\nqvod://1|\r\n[/QVOD]\r\n[GVOD]\r\ngvod://2\r\n[/GVOD]\r\n"
       "[FLASHGET]\r\nFlashget://3\r\n[/FLASHGET]\r\n[ED2K]\r\ned2k://4\r\n[/ED2K]\r\n"
       "[Magnet]\r\nmagnet:5\r\n[/Magnet]\r\n"},
      {"a kind outside the seven is left alone", "MARK",
       "[THUNDER]\r\nthunder://MARK\r\n[/THUNDER]\r\n",
       "[THUNDER]\r\nthunder://MARK\r\n[/THUNDER]\r\n"},
      {"FTP: names lose the text in any case, addresses keep it", "MARK",
       "[FTP]\r\nftp://MARK.h/a|Name|MARKa.mkv|\r\nftp://h/b|Name|markB.mkv|\r\n"
       "ftp://h/c|Name|c.mkv|\r\n[/FTP]\r\n",
       "[FTP]\r\nftp://MARK.h/a|Name|a.mkv|\r\nftp://h/b|Name|B.mkv|\r\n"
       "ftp://h/c|Name|c.mkv|\r\n[/FTP]\r\n"},
      {"FTP: a name marker in another case comes out as |Name|", "MARK",
       "[Ftp]\r\nftp://h/a|NAME|aMARK|\r\n[/Ftp]\r\n",
       "[Ftp]\r\nftp://h/a|Name|a|\r\n[/Ftp]\r\n"},
      {"FTP: a name that begins a later one swallows its piece", "MARK",
       "[Ftp]\r\nftp://h/ab|Name|ab|\r\nftp://h/abMARK|Name|abMARK|\r\n[/Ftp]\r\n",
       "[Ftp]\r\nftp://h/ab|Name|ab|\r\nftp://h/abMARK|Name|abMARK|\r\n[/Ftp]\r\n"},
      {"FTP: a name marker with no bar behind its name", "MARK",
       "[Ftp]\r\nftp://h/a|Name|MARK\r\n[/Ftp]\r\n",
       "[Ftp]\r\nftp://h/a|Name|MARK\r\n[/Ftp]\r\n"},
      {"other spellings of the FLASHGET and FTP tags", "MARK",
       "[Flashget]\r\nFlashget://MARKx\r\n[/Flashget]\r\n[FTP]\r\nftp://h/x|Name|xMARK|\r\n[/FTP]\r\n",
       "[Flashget]\r\nFlashget://x\r\n[/Flashget]\r\n[FTP]\r\nftp://h/x|Name|x|\r\n[/FTP]\r\n"},
      {"two QVOD blocks: only the first is cleaned", "MARK",
       "[QVOD]\r\nqvod://1MARK|\r\n[/QVOD]\r\n[QVOD]\r\nqvod://2MARK|\r\n[/QVOD]\r\n",
       "[QVOD]\r\nqvod://1|\r\n[/QVOD]\r\n[QVOD]\r\nqvod://2MARK|\r\n[/QVOD]\r\n"},
      {"two equal QVOD blocks are both cleaned", "MARK",
       "[QVOD]\r\nqvod://1MARK|\r\n[/QVOD]\r\n[QVOD]\r\nqvod://1MARK|\r\n[/QVOD]\r\n",
       "[QVOD]\r\nqvod://1|\r\n[/QVOD]\r\n[QVOD]\r\nqvod://1|\r\n[/QVOD]\r\n"},
      {"text between the blocks keeps the replace text", "MARK",
       "[img]http://h/MARK.jpg[/img]\r\nAbout MARK\r\n[GVOD]\r\ngvod://MARK\r\n[/GVOD]\r\nMARK\r\n",
       "[img]http://h/MARK.jpg[/img]\r\nAbout MARK\r\n[GVOD]\r\ngvod://\r\n[/GVOD]\r\nMARK\r\n"},
      {"a site's GBK watermark", mark,
       "[BDHD]\r\nbdhd://h/" + mark + film + ".rmvb\r\n[/BDHD]\r\n[FTP]\r\nftp://h/" + mark + film +
           ".mkv|Name|" + mark + film + ".mkv|\r\n[/FTP]\r\n",
       "[BDHD]\r\nbdhd://h/" + film + ".rmvb\r\n[/BDHD]\r\n[FTP]\r\nftp://h/" + mark + film +
           ".mkv|Name|" + film + ".mkv|\r\n[/FTP]\r\n"},
  };
  for (const RenameCase& c : cases) {
    EXPECT_EQ(renameLinks(c.content, [&] { return c.replace; }), c.expected) << c.what;
  }
}

TEST(RenameLinks, ChangesOnlyTheContentBox) {
  MemoryControls controls;
  controls.setText("编辑框1", "[BDHD]MARK");
  controls.setText("编辑框2", "[BDHD]\r\nbdhd://MARK\r\n[/BDHD]\r\n");
  controls.setText("编辑框5", "MARK");
  renameLinks(controls);
  EXPECT_EQ(controls.text("编辑框2"), "[BDHD]\r\nbdhd://\r\n[/BDHD]\r\n");
  EXPECT_EQ(controls.text("编辑框1"), "[BDHD]MARK");
  EXPECT_EQ(controls.text("编辑框5"), "MARK");
}

}  // namespace
}  // namespace quorvel
