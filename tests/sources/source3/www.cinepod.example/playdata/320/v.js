var VideoListJson=[["qvod",["x$qvod://1|H|Õ\u5F00\u5F00.rmvb|$qvod","QVOD://2|H|y.rmvb|"]]];
