var VideoListJson=[["bdhd",["x$bdhd://1|H|%E8%AA%A0u5F00%u5F00.rmvb|$bdhd"]]];
