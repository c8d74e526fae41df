#include "ManualText.h"

TManualText EnglishManual()
{
    TManualText T;
    T.Title = "Tavrix — User Manual";
    T.Subtitle = "A desktop terminal for trading on a cryptocurrency exchange";
    T.Sketch = {"Menu: File, View, Charts, Window, Help",
                "Toolbars: chart period, styles, standard, drawing tools",
                "Symbols and Depth of Market",
                "Buy panel",
                "Sell panel",
                "Chart windows",
                "Terminal: Trade · Assets · Account History · Multi-account",
                "Status bar: connection and terminal clock",
                "Asks (sell orders)",
                "Bids (buy orders)",
                "Limit",
                "Market",
                "Stop-limit",
                "Price:",
                "Amount:",
                "Total:",
                "Buy"};
    T.Accounts = {"Account", "Ratio", "Role",
                  "main",    "1",     "places the order",
                  "second",  "0.5",   "repeats it at half the amount",
                  "third",   "2",     "repeats it at double the amount"};
    T.Sections = {
        {"1. Getting started",
         {"Tavrix shows the market of one cryptocurrency exchange and sends your orders to it. "
          "At the first start the terminal asks for the language of its windows and for your "
          "acceptance of the licence agreement; you can change neither answer later without "
          "removing the terminal's settings. Declining the agreement closes the terminal.",
          "Market data (prices, the order book and charts) needs no account. To see your "
          "balances and orders and to trade, log on with File → Authorization: enter the API "
          "key and the secret key that you created at the exchange. Give the key the right to "
          "trade only — never the right to withdraw funds.",
          "The keys are kept on this computer only, in your own user folders, in a scrambled "
          "form. Anyone who can read your files may be able to recover them: protect your user "
          "account and revoke the keys at the exchange if you suspect misuse."}},
        {"2. The main window",
         {"The main window holds every tool of the terminal in docked panels around the chart "
          "area. Each panel can be closed with its own button and shown again from the View "
          "menu; toolbars are switched on and off the same way."},
         TFigure::MainWindow,
         "The main window and its panels",
         {"The status bar at the bottom shows whether the terminal is connected to the exchange "
          "and the terminal clock. The clock runs on the exchange's time: a green clock means "
          "the exchange answered, a red one that it could not be reached. The terminal keeps "
          "trying in the background; you do not need to restart it."}},
        {"3. Market watch",
         {"The Symbols panel lists the symbols of the exchange with their last price and daily "
          "change. Click a symbol to select it: the order book, the order panels and File → New "
          "chart follow the selection.",
          "You can hide symbols that you do not trade and keep your own lists as symbol groups: "
          "save the current list to a file and load it again from the Symbols panel's menu. A "
          "group is a plain file in your groups folder, so you can keep as many as you like."}},
        {"4. Order book",
         {"The Depth of Market panel shows the best prices at which others are willing to sell "
          "(asks, red, above) and to buy (bids, green, below) the selected symbol, with the "
          "amount at each price. The bar behind each row shows its amount at a glance. The book "
          "is refreshed several times a minute while the panel is open."},
         TFigure::Book,
         "The order book: asks above, bids below"},
        {"5. Charts",
         {"Select a symbol and open its chart with File → New chart. Each chart is a window "
          "inside the chart area; arrange them as a mosaic from the Window menu, or maximise one "
          "and switch between charts with the tabs below the area.",
          "The period buttons (1 minute to 1 month) set the interval of the active chart. The "
          "chart styles are candles, bars and a line. Zoom in and out with the toolbar buttons, "
          "drag with the mouse, and switch on auto-scroll to keep the newest candle in view. "
          "The crosshair tool shows the date, time and price under the mouse."},
         TFigure::Chart,
         "A candle chart: green candles closed higher, red ones lower",
         {"Indicators (moving average, Bollinger bands, Fractals, ZigZag) are added from the "
          "Charts menu and changed or deleted from the same menu. The chart's Properties set the "
          "colours, the grid, the OHLC line and the volumes. Save a chart's "
          "look as a template and apply it to any other chart. The terminal remembers the open "
          "charts, their indicators and settings between runs."}},
        {"6. Orders",
         {"Orders are placed from the Buy and Sell panels or with the New order command for the "
          "active chart. "
          "Each panel has three tabs: Limit (buy or sell at your price or better), Market (at "
          "the best price available now) and Stop-limit (a limit order that is placed when the "
          "price reaches the stop price)."},
         TFigure::Order,
         "The Buy panel",
         {"Price and amount fields accept digits and one decimal separator; the total is "
          "computed as you type. An order is sent to the exchange at once — check the price "
          "and the amount before you press the button. The exchange decides whether the order "
          "is accepted; its answer and any error appear in the Trade tab and the log.",
          "The Trade tab of the Terminal panel lists your open orders; select one and use "
          "Delete order to withdraw it. The Account History tab lists your past orders, and the "
          "Assets tab your balances (switch off zero balances to shorten the list)."}},
        {"7. Accounts",
         {"Besides the main account you can add up to ten further accounts with File → Add "
          "account, each with its own keys and a ratio. With Multi-trading switched on, "
          "every order you place from the main account is repeated on each further account with "
          "the amount multiplied by that account's ratio, and cancelling an order cancels the "
          "matching orders too."},
         TFigure::Accounts,
         "Multi-account trading: an order of 1 BTC on the main account",
         {"The Multi-account tab lists the further accounts. Select a row and use File → Delete "
          "account to remove one. Multi-trading stays off until at least one further "
          "account exists and you are logged on."}},
        {"8. Files and help",
         {"The terminal keeps its settings, accounts, chart layout, templates and symbol groups "
          "in your user folders (under ~/.config and ~/.local/share, in Quorvel/Tavrix). Each "
          "file is written in full and replaces the old one only when complete, so a crash never "
          "leaves half a file behind.",
          "This manual opens from the Help menu at any time. Trading carries risk: the terminal "
          "shows data and sends orders, but every decision and its result are yours."}},
        {"9. Quick reference",
         {"File → New chart: a chart of the selected symbol. File → Close chart: closes the "
          "active chart.",
          "File → Authorization: log on with your API keys. File → Add account / Delete "
          "account: further accounts for Multi-trading.",
          "View: show or hide the Symbols, Navigator, Depth of Market, Volume monitor and "
          "Terminal panels, the Buy and Sell panels, the toolbars and the status bar.",
          "Charts: candles, bars or line; zoom in and out; auto-scroll; shift to the end; "
          "indicators; properties; templates.",
          "Window: charts as a mosaic; the chart tabs. Help: this manual and the program's "
          "web page.",
          "Periods: M1, M5, M15, M30, H1, H4, H6, D1, W1, MN — from one minute to one month."}},
    };
    return T;
}
