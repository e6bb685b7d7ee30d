var VideoListJson=[["qvod",["%u7B2C01%u96C6$QVOD://1|ABC|a.rmvb|$qvod"]],["bdhd",["%u7B2C01%u96C6$bdhd://2|DEF|b.rmvb|$bdhd"]]];
