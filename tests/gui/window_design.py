"""The window as every platform draws it: where the controls lie, in client-area pixels (left,
top, width, height), the window's sizes, the colours, the captions, and the fixed parts of the
links and the snippet."""

LABEL_B = (16, 16, 100, 40)             # 标签1
EDIT_B_ADDRESS = (128, 16, 519, 40)     # 编辑框1
CLEAR_B = (656, 16, 50, 40)             # 按钮2 清空
OPEN_B = (721, 16, 50, 40)              # 按钮1 打开
PART_SWITCH = (784, 16, 80, 40)         # 选择框3 专辑P:
PART_BOX = (868, 16, 40, 40)            # 编辑框5
LABEL_B_SEARCH = (16, 64, 100, 40)      # 标签2
EDIT_B_KEYWORD = (128, 64, 364, 40)     # 编辑框2
SEARCH_B = (557, 64, 50, 40)            # 按钮3 搜索
MAKE_B_SNIPPET = (656, 64, 114, 40)     # 按钮9
EXPAND = (784, 64, 58, 40)              # 按钮13
PIN = (853, 64, 55, 40)                 # 选择框2 置顶
LABEL_X = (16, 127, 100, 40)            # 标签3
EDIT_X_ADDRESS = (128, 127, 519, 40)    # 编辑框4
OPEN_X = (721, 127, 50, 40)             # 按钮8 打开
LABEL_X_SEARCH = (16, 175, 100, 40)     # 标签4
EDIT_X_KEYWORD = (128, 175, 364, 40)    # 编辑框3
SEARCH_X = (557, 175, 50, 40)           # 按钮6 搜索
COPY = (784, 175, 58, 40)               # 按钮12 复制
CLOSE_VIEW = (849, 175, 58, 40)         # 按钮11 关闭

# The outer window, frame included.
WINDOW_WIDTH = 928
COLLAPSED = 152
EXPANDED = 262

PINK = (0xFF, 0x80, 0xC0)               # the B label
RED = (0xFF, 0x00, 0x00)                # a label whose address was rejected
B_SEARCH_BLUE = (0x00, 0x88, 0xFF)
X_PINK = (0xFF, 0x50, 0x80)             # the X label
X_SEARCH_TEAL = (0x00, 0x80, 0x80)
BOX_BACKGROUND = (0xE8, 0xF4, 0xEF)
GREY = (0x80, 0x80, 0x80)               # the part box while the switch is off
WHITE = (0xFF, 0xFF, 0xFF)

CAPTION = "Tivarel"
CAPTION_BAD_ADDRESS = "Tivarel-核对视频地址是否正确"
CAPTION_COPIED = "Tivarel-已复制到剪贴板"

B_PLAYER = "https://player.bilibili.com/player.html?bvid="
X_PLAYER = "https://www.ixigua.com/iframe/"
B_SEARCH = "https://search.bilibili.com/all?keyword="
X_SEARCH = "https://www.ixigua.com/search/"
SNIPPET_HEAD = '<iframe src="'
SNIPPET_TAIL = ('" allowfullscreen="allowfullscreen" width="720" height="405" scrolling="no" '
                'frameborder="0" sandbox="allow-top-navigation allow-same-origin allow-forms '
                'allow-scripts"></iframe>')
